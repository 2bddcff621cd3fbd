#include "WindowFittingService.h"

#include "BarClearance.h"
#include "FullScreen.h"

#include "core/ports/WindowSystem.h"
#include "core/services/RunningAppsService.h"

#include <algorithm>

namespace {

// A burst of window events (a drag, an application opening several windows) yields one pass.
constexpr int clampDelayMs = 200;
// Transient chains are short; a longer one is a loop.
constexpr int maxChain = 8;

} // namespace

WindowFittingService::WindowFittingService(WindowSystem& windows, const RunningAppsService& running, qint32 ownPid,
                                           QObject* parent)
    : QObject(parent), m_windows(windows), m_running(running), m_ownPid(ownPid)
{
    m_clampTimer.setSingleShot(true);
    m_clampTimer.setInterval(clampDelayMs);
    connect(&m_clampTimer, &QTimer::timeout, this, &WindowFittingService::clampFrontmost);
}

void WindowFittingService::start()
{
    if (m_started)
        return;
    m_started = true;
    // Windows appear and close rarely, so any of those is worth a pass.
    connect(&m_windows, &WindowSystem::windowsChanged, this,
            [this](const QList<WindowId>&, const QList<WindowId>& removed) {
                for (WindowId id : removed) {
                    m_placements.remove(id);
                    m_history.forget(id);
                }
                scheduleClamp();
            });
    connect(&m_windows, &WindowSystem::activeWindowChanged, this, [this](WindowId active) {
        m_history.noteActive(active);
        scheduleClamp();
    });
    m_history.noteActive(m_windows.activeWindow());
    connect(&m_windows, &WindowSystem::windowsUpdated, this, &WindowFittingService::scheduleClampIfPlaced);
    scheduleClamp();
}

void WindowFittingService::stop()
{
    disconnect(&m_windows, nullptr, this, nullptr);
    m_clampTimer.stop();
    m_focused = {};
    m_placements.clear();
    m_started = false;
    // Bars hidden for a full-screen window would otherwise stay hidden with nobody watching.
    report({});
}

void WindowFittingService::setScreens(const QList<ScreenBox>& boxes)
{
    m_boxes = boxes;
    if (m_started)
        scheduleClamp();
}

void WindowFittingService::fitAllWindowsToFreeSpace()
{
    for (WindowId id : m_windows.clientWindows()) {
        const auto window = m_windows.window(id);
        if (!window || !isMovable(*window))
            continue;
        const auto box = boxContaining(window->frame, m_boxes);
        if (!box)
            continue;
        const QRect free = freeArea(*box);
        if (free.isValid() && free != window->frame)
            m_windows.requestMoveResize(id, free);
    }
}

void WindowFittingService::scheduleClamp()
{
    m_clampTimer.start();
}

// Only a window that moved, resized or changed its state matters (a film on another monitor
// leaving full screen too): titles and icons change all the time, and such a trickle would keep
// postponing the pass.
void WindowFittingService::scheduleClampIfPlaced(const QList<WindowId>& changed)
{
    bool placementChanged = false;
    for (WindowId id : changed) {
        const auto window = m_windows.window(id);
        if (!window) {
            m_placements.remove(id);
            continue;
        }
        const Placement now = placementOf(*window);
        const auto before = m_placements.constFind(id);
        placementChanged = placementChanged || before == m_placements.cend() || *before != now;
        m_placements.insert(id, now);
    }
    if (placementChanged)
        scheduleClamp();
}

WindowFittingService::Placement WindowFittingService::placementOf(const ClientWindow& window)
{
    return {window.frame, window.fullscreen, window.maximized, window.minimized, window.viewable,
            window.onCurrentDesktop};
}

void WindowFittingService::clampFrontmost()
{
    followFocus();
    const auto focused = m_windows.window(m_focused);
    const bool fullScreen = focused && RunningAppsService::isTaskbarWindow(*focused, m_ownPid)
        && isFullScreenWindow(*focused, m_boxes);
    if (!fullScreen) {
        for (WindowId id : frontmostWindows())
            clamp(id);
    }
    report(monitorsWithFullScreenFront());
}

// The window manager keeps one focus for all monitors; the window in front of a monitor is the one
// last active there, so a film left full screen on one monitor keeps its bar away while the user
// works on another.
QList<QRect> WindowFittingService::monitorsWithFullScreenFront() const
{
    QList<QList<WindowId>> onMonitor(m_boxes.size());
    for (WindowId id : m_windows.clientWindows()) {
        const auto window = m_windows.window(id);
        if (!window || !isMovable(*window))
            continue;
        if (const auto box = boxContaining(window->frame, m_boxes))
            onMonitor[m_boxes.indexOf(*box)].append(id);
    }
    QList<QRect> monitors;
    for (qsizetype i = 0; i < m_boxes.size(); ++i) {
        if (onMonitor[i].isEmpty())
            continue;
        const auto front = m_windows.window(m_history.byRecency(onMonitor[i]).last());
        if (front && isFullScreenWindow(*front, m_boxes))
            monitors.append(m_boxes[i].frame);
    }
    return monitors;
}

void WindowFittingService::clamp(WindowId id)
{
    const auto window = m_windows.window(id);
    if (!window || !isMovable(*window) || isFullScreenWindow(*window, m_boxes))
        return;
    const auto box = boxContaining(window->frame, m_boxes);
    if (!box)
        return;
    if (const auto frame = clampedFrame(window->frame, *box))
        m_windows.requestMoveResize(id, *frame);
}

// Clicking a bar or opening a flyout focuses Pellux; the application in front before it stays
// the one watched.
void WindowFittingService::followFocus()
{
    const WindowId active = m_windows.activeWindow();
    const auto window = m_windows.window(active);
    if (window && m_ownPid != 0 && window->pid == m_ownPid)
        return;
    m_focused = active;
}

QList<WindowId> WindowFittingService::frontmostWindows() const
{
    const WindowId root = taskbarRootOf(m_focused);
    if (!root)
        return {};
    const QString bundleID = m_running.bundleIDOf(root);
    return bundleID.isEmpty() ? QList<WindowId>{root} : m_running.windowsOf(bundleID);
}

// A focused dialog stands for the application of the window it belongs to.
WindowId WindowFittingService::taskbarRootOf(WindowId id) const
{
    for (int depth = 0; depth < maxChain && id; ++depth) {
        const auto window = m_windows.window(id);
        if (!window)
            return {};
        if (RunningAppsService::isTaskbarWindow(*window, m_ownPid))
            return id;
        id = window->transientFor;
    }
    return {};
}

bool WindowFittingService::isMovable(const ClientWindow& window) const
{
    return RunningAppsService::isTaskbarWindow(window, m_ownPid) && !window.minimized && window.viewable
        && window.onCurrentDesktop;
}

void WindowFittingService::report(const QList<QRect>& monitors)
{
    if (monitors == m_fullScreenMonitors)
        return;
    m_fullScreenMonitors = monitors;
    emit fullScreenMonitorsChanged(monitors);
}
