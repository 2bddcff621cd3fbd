#pragma once

#include "ScreenBox.h"

#include "core/models/ClientWindow.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QTimer>

class WindowSystem;
class RunningAppsService;

// Keeps the windows of the application in front from reaching under the bars, and notices when
// its focused window is full screen so the bars can step aside. Windows are moved only through
// the window manager; Pellux's own windows, docks, and windows that are minimized, unmapped or on
// another desktop are never moved.
class WindowFittingService : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool fullScreen READ isFullScreen NOTIFY fullScreenChanged)
public:
    WindowFittingService(WindowSystem& windows, const RunningAppsService& running, qint32 ownPid,
                         QObject* parent = nullptr);

    void start();
    void stop();
    // One box per monitor, given again whenever the bars are rebuilt.
    void setScreens(const QList<ScreenBox>& boxes);

    bool isFullScreen() const { return m_fullScreen; }

    // Every ordinary window on this desktop fills the free space of its monitor.
    void fitAllWindowsToFreeSpace();

signals:
    void fullScreenChanged(bool fullScreen);

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
    void scheduleClampIfWatched(const QList<WindowId>& changed);
    void clampFrontmost();
    void clamp(WindowId id);
    void followFocus();
    QList<WindowId> frontmostWindows() const;
    WindowId taskbarRootOf(WindowId id) const;
    bool isMovable(const ClientWindow& window) const;
    void report(bool fullScreen);

    WindowSystem& m_windows;
    const RunningAppsService& m_running;
    qint32 m_ownPid;
    QList<ScreenBox> m_boxes;
    QTimer m_clampTimer;
    WindowId m_focused;
    QHash<WindowId, Placement> m_placements;
    bool m_fullScreen = false;
    bool m_started = false;
};
