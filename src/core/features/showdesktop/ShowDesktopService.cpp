#include "ShowDesktopService.h"

#include "core/ports/WindowSystem.h"
#include "core/services/RunningAppsService.h"

#include <utility>

ShowDesktopService::ShowDesktopService(WindowSystem& windows, qint32 ownPid, QObject* parent)
    : QObject(parent), m_windows(windows), m_ownPid(ownPid)
{
    m_history.noteActive(m_windows.activeWindow());
    connect(&m_windows, &WindowSystem::activeWindowChanged, this,
            [this](WindowId active) { m_history.noteActive(active); });
    connect(&m_windows, &WindowSystem::windowsChanged, this,
            [this](const QList<WindowId>&, const QList<WindowId>& removed) { forgetClosed(removed); });
}

void ShowDesktopService::toggle()
{
    if (m_desktopShown)
        restore();
    else
        showDesktop();
}

void ShowDesktopService::showDesktop()
{
    QList<WindowId> visible;
    for (WindowId id : m_windows.clientWindows()) {
        const auto window = m_windows.window(id);
        if (window && isVisibleAppWindow(*window))
            visible.append(id);
    }
    m_minimizedWindows = m_history.byRecency(visible);
    for (WindowId id : std::as_const(m_minimizedWindows))
        m_windows.requestMinimize(id);
    setDesktopShown(true);
}

// Restoring is activating: in the order the windows were last used, so the one in front before
// ends in front again. Windows the user brought back meanwhile are left where they are.
void ShowDesktopService::restore()
{
    const QList<WindowId> remembered = std::exchange(m_minimizedWindows, {});
    for (WindowId id : remembered) {
        const auto window = m_windows.window(id);
        if (window && window->minimized)
            m_windows.requestActivate(id);
    }
    setDesktopShown(false);
}

bool ShowDesktopService::isVisibleAppWindow(const ClientWindow& window) const
{
    return RunningAppsService::isTaskbarWindow(window, m_ownPid) && window.viewable && window.onCurrentDesktop
        && !window.minimized;
}

// X window ids are reused: a closed window's id must not bring back a stranger later.
void ShowDesktopService::forgetClosed(const QList<WindowId>& removed)
{
    for (WindowId id : removed) {
        m_history.forget(id);
        m_minimizedWindows.removeAll(id);
    }
}

void ShowDesktopService::setDesktopShown(bool shown)
{
    if (shown == m_desktopShown)
        return;
    m_desktopShown = shown;
    emit isDesktopShownChanged(shown);
}
