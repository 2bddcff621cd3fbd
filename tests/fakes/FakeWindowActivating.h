#pragma once

#include "core/ports/WindowActivating.h"

#include <QSet>
#include <QStringList>

#include <functional>

// Records each request as "activate:ID", "minimize:ID" or "close:ID"; on-screen windows are
// arranged by the test, and `onActivate` lets it play the window manager.
class FakeWindowActivating : public WindowActivating {
public:
    void activate(const QString& bundleID) override
    {
        requests.append(QStringLiteral("activate:") + bundleID);
        if (onActivate)
            onActivate(bundleID);
    }
    void minimize(const QString& bundleID) override { requests.append(QStringLiteral("minimize:") + bundleID); }
    void close(const QString& bundleID) override { requests.append(QStringLiteral("close:") + bundleID); }
    bool hasOnScreenWindow(const QString& bundleID) const override { return onScreen.contains(bundleID); }

    QStringList requests;
    QSet<QString> onScreen;
    std::function<void(const QString&)> onActivate;
};
