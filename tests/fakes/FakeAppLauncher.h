#pragma once

#include "core/ports/AppLauncher.h"

#include <QSet>
#include <QStringList>

// Records each request as one readable line: "launch:FILE", "launch:FILE:DOC DOC", "newWindow:FILE",
// "reveal:PATH", "open:URL". Only the desktop files in `newWindowActions` have that action.
class FakeAppLauncher : public AppLauncher {
public:
    bool launch(const QString& desktopFile, const QList<QUrl>& documents = {}) override
    {
        QStringList urls;
        for (const QUrl& document : documents)
            urls.append(document.toString());
        requests.append(QStringLiteral("launch:") + desktopFile
            + (urls.isEmpty() ? QString() : QStringLiteral(":") + urls.join(' ')));
        return true;
    }
    bool launchNewWindowAction(const QString& desktopFile) override
    {
        if (!newWindowActions.contains(desktopFile))
            return false;
        requests.append(QStringLiteral("newWindow:") + desktopFile);
        return true;
    }
    bool reveal(const QString& path) override
    {
        requests.append(QStringLiteral("reveal:") + path);
        return true;
    }
    bool open(const QUrl& url) override
    {
        requests.append(QStringLiteral("open:") + url.toString());
        return true;
    }

    QStringList requests;
    QSet<QString> newWindowActions;
};
