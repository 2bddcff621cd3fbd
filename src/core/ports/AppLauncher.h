#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// Starts applications from their desktop entries and hands files to the desktop. Requests are
// fire-and-forget; false means the request could not even be made.
class AppLauncher {
public:
    virtual ~AppLauncher() = default;

    // The entry's program with `documents` to open, never through a shell.
    virtual bool launch(const QString& desktopFile, const QList<QUrl>& documents = {}) = 0;
    // The entry's own "new window" action; false when it has none.
    virtual bool launchNewWindowAction(const QString& desktopFile) = 0;
    // Shows the file selected in the file manager.
    virtual bool reveal(const QString& path) = 0;
    // Opens a file or address with the desktop's default application.
    virtual bool open(const QUrl& url) = 0;
};
