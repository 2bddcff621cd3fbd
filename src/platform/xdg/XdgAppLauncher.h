#pragma once

#include "core/ports/AppLauncher.h"

#include <QStringList>

class DesktopEntry;

// Starts desktop entries directly (Exec expanded into arguments, never through a shell), through
// D-Bus activation where the entry asks for it, in a terminal where it says so.
class XdgAppLauncher final : public AppLauncher {
public:
    bool launch(const QString& desktopFile, const QList<QUrl>& documents = {}) override;
    bool launchNewWindowAction(const QString& desktopFile) override;
    bool reveal(const QString& path) override;
    bool open(const QUrl& url) override;

    // The id and name words that mark an entry's action as "new window".
    static bool isNewWindowAction(const QString& id, const QString& name);

private:
    bool run(const DesktopEntry& entry, const QString& exec, const QList<QUrl>& documents);
    bool activateOverDBus(const DesktopEntry& entry, const QList<QUrl>& documents);
};
