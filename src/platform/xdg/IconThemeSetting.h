#pragma once

#include <QString>
#include <QStringList>

// The icon theme the desktop asks for, read from GTK's settings file because XSETTINGS is not
// read here.
class IconThemeSetting {
public:
    // $XDG_CONFIG_HOME/gtk-3.0/settings.ini (default ~/.config).
    static QString defaultSettingsFile();

    // gtk-icon-theme-name of [Settings] when that theme is installed in `iconBaseDirs`; else
    // Adwaita when installed; else hicolor.
    static QString read(const QString& settingsFile, const QStringList& iconBaseDirs);
};
