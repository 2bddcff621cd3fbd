#include "IconThemeSetting.h"

#include "IconTheme.h"
#include "IniFile.h"

#include <QDir>

QString IconThemeSetting::defaultSettingsFile()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty())
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/gtk-3.0/settings.ini");
}

QString IconThemeSetting::read(const QString& settingsFile, const QStringList& iconBaseDirs)
{
    QString wanted;
    if (const std::optional<IniFile> settings = IniFile::fromFile(settingsFile))
        wanted = settings->value(QStringLiteral("Settings"), QStringLiteral("gtk-icon-theme-name"));
    // GTK writes the value bare, but hand-edited files often quote it.
    if (wanted.size() >= 2 && wanted.startsWith(u'"') && wanted.endsWith(u'"'))
        wanted = wanted.sliced(1, wanted.size() - 2);
    for (const QString& name : { wanted, QStringLiteral("Adwaita") }) {
        if (IconTheme::load(name, iconBaseDirs))
            return name;
    }
    return QStringLiteral("hicolor");
}
