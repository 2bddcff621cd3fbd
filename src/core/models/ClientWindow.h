#pragma once

#include "WindowId.h"

#include <QRect>
#include <QString>

enum class WindowKind { Normal, Dialog, Utility, Dock, Desktop, Menu, Toolbar, Splash, Notification, Other };

// What the window system says about one top-level client window.
struct ClientWindow {
    WindowId id;
    QString title;
    qint32 pid = 0; // 0 when the window does not say
    WindowKind kind = WindowKind::Normal;
    WindowId transientFor;
    WindowId groupLeader;
    QString wmInstance;
    QString wmClass;
    QString gtkApplicationId;
    QString kdeDesktopFile;
    QString bamfDesktopFile;
    bool skipTaskbar = false;
    bool minimized = false;
    bool fullscreen = false;
    bool maximized = false;
    bool urgent = false;
    bool viewable = false;          // mapped and drawn
    bool onCurrentDesktop = true;   // or on every desktop
    QRect frame;                    // outer frame, root pixels
    double opacity = 1.0;

    bool operator==(const ClientWindow&) const = default;
};
