#pragma once

#include "ScreenBox.h"

#include "core/features/windows/ActivationHistory.h"
#include "core/models/ClientWindow.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>

class WindowSystem;
class RunningAppsService;

// Keeps the windows of the application in front from reaching under the bars, and notices the
// monitors whose window in front is full screen so their bars can step aside. Windows are moved
// only through the window manager; Pellux's own windows, docks, and windows that are minimized,
// unmapped or on another desktop are never moved.
class WindowFittingService : public QObject {
    Q_OBJECT
public:
    WindowFittingService(WindowSystem& windows, const RunningAppsService& running, qint32 ownPid,
                         QObject* parent = nullptr);

    void start();
    void stop();
    // One box per monitor, given again whenever the bars are rebuilt.
    void setScreens(const QList<ScreenBox>& boxes);

    // The frames of the monitors whose window in front (the one last active there) is full screen.
    QList<QRect> fullScreenMonitors() const { return m_fullScreenMonitors; }

    // Every ordinary window on this desktop fills the free space of its monitor.
    void fitAllWindowsToFreeSpace();

signals:
    void fullScreenMonitorsChanged(const QList<QRect>& monitors);

private:
    // What a pass depends on, beside focus and the window list.
    struct Placement {
        QRect frame;
        bool fullscreen = false;
        bool maximized = false;
        bool minimized = false;
        bool viewable = false;
        bool onCurrentDesktop = false;
        bool operator==(const Placement&) const = default;
    };

    static Placement placementOf(const ClientWindow& window);
    void scheduleClamp();
    void scheduleClampIfPlaced(const QList<WindowId>& changed);
    void clampFrontmost();
    void clamp(WindowId id);
    void followFocus();
    QList<WindowId> frontmostWindows() const;
    WindowId taskbarRootOf(WindowId id) const;
    bool isMovable(const ClientWindow& window) const;
    QList<QRect> monitorsWithFullScreenFront() const;
    void report(const QList<QRect>& monitors);

    WindowSystem& m_windows;
    const RunningAppsService& m_running;
    qint32 m_ownPid;
    QList<ScreenBox> m_boxes;
    QTimer m_clampTimer;
    WindowId m_focused;
    QHash<WindowId, Placement> m_placements;
    ActivationHistory m_history;
    QList<QRect> m_fullScreenMonitors;
    bool m_started = false;
};
