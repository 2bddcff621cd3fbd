#pragma once

#include <QString>

// Brings running applications forward or sends them away. An application is its group of
// windows, named by its bundle id.
class WindowActivating {
public:
    virtual ~WindowActivating() = default;

    // Restores its minimized windows and activates the one used last; an application without a
    // window is started again from its desktop entry.
    virtual void activate(const QString& bundleID) = 0;
    // Minimizes its main window: the one used last of those not minimized.
    virtual void minimize(const QString& bundleID) = 0;
    // Asks each of its windows to close, as their close buttons would; the application decides.
    virtual void close(const QString& bundleID) = 0;
    // A window of it is really on screen (mapped here, not minimized, at least 40 x 40).
    virtual bool hasOnScreenWindow(const QString& bundleID) const = 0;
};
