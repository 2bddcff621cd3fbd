#pragma once

#include "core/ports/ApplicationSource.h"

#include <QString>
#include <QStringList>

class DesktopEntry;

// Desktop entries in the XDG application folders: $XDG_DATA_HOME/applications first, then each
// of $XDG_DATA_DIRS, then the flatpak and snap export folders. The first folder to have a file id
// wins, so the user's own entries override the system's.
class XdgApplicationSource final : public ApplicationSource {
public:
    struct Environment {
        QStringList applicationFolders;
        QStringList currentDesktops; // $XDG_CURRENT_DESKTOP
        QStringList path;            // $PATH, for TryExec
    };

    explicit XdgApplicationSource(Environment environment);
    // The folders and desktops of this process's environment.
    static Environment standardEnvironment();

    QList<InstalledApp> scan() const override;
    QStringList searchFolders() const override { return m_environment.applicationFolders; }

    // An application the user launches from a menu: not hidden, shown in this desktop, runnable.
    bool isListed(const DesktopEntry& entry) const;
    static std::optional<InstalledApp> makeInstalledApp(const DesktopEntry& entry, const QString& fileId);

private:
    bool tryExecFound(const QString& tryExec) const;

    Environment m_environment;
};
