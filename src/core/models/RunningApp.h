#pragma once

#include <QString>

// A running application as the bar lists it: a group of taskbar windows.
struct RunningApp {
    QString bundleID;
    QString name;
    qint32 processIdentifier = 0; // of its first window; 0 when unknown
    bool isActive = false;        // owns the active window and shows a window on screen

    bool operator==(const RunningApp&) const = default;
};
