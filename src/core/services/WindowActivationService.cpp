#include "WindowActivationService.h"

#include "core/ports/AppLauncher.h"
#include "core/ports/WindowSystem.h"
#include "core/services/RunningAppsService.h"

#include <algorithm>

WindowActivationService::WindowActivationService(WindowSystem& windows, const RunningAppsService& running,
                                                 AppLauncher& launcher,
                                                 std::function<QString(const QString&)> desktopFileOf, QObject* parent)
    : QObject(parent), m_windows(windows), m_running(running), m_launcher(launcher),
      m_desktopFileOf(std::move(desktopFileOf))
{
    connect(&m_windows, &WindowSystem::activeWindowChanged, this, [this](WindowId active) {
        if (active)
            m_lastActive.insert(active, ++m_activations);
    });
    connect(&m_windows, &WindowSystem::windowsChanged, this, [this](const QList<WindowId>&, const QList<WindowId>& removed) {
        for (WindowId id : removed)
            m_lastActive.remove(id);
    });
}

// Every window of the application comes forward, the one used last ending on top with the focus.
// An application without windows is asked for one by starting it again.
void WindowActivationService::activate(const QString& bundleID)
{
    const QList<WindowId> windows = m_running.windowsOf(bundleID);
    if (windows.isEmpty()) {
        const QString desktopFile = m_desktopFileOf ? m_desktopFileOf(bundleID) : QString();
        if (!desktopFile.isEmpty())
            m_launcher.launch(desktopFile);
        return;
    }
    const QList<WindowId> ordered = byRecency(windows);
    const WindowId last = ordered.last();
    const auto mostRecent = m_windows.window(last);
    // The others come along only when the focus stays on this desktop; windows elsewhere stay there.
    if (mostRecent && mostRecent->onCurrentDesktop) {
        for (WindowId id : ordered) {
            const auto window = m_windows.window(id);
            if (id != last && window && window->onCurrentDesktop)
                m_windows.requestActivate(id);
        }
    }
    m_windows.requestActivate(last);
}

void WindowActivationService::minimize(const QString& bundleID)
{
    for (WindowId id : m_running.windowsOf(bundleID)) {
        const auto window = m_windows.window(id);
        if (window && !window->minimized)
            m_windows.requestMinimize(id);
    }
}

void WindowActivationService::close(const QString& bundleID)
{
    for (WindowId id : m_running.windowsOf(bundleID))
        m_windows.requestClose(id);
}

bool WindowActivationService::hasOnScreenWindow(const QString& bundleID) const
{
    QList<ClientWindow> windows;
    for (WindowId id : m_running.windowsOf(bundleID))
        if (const auto window = m_windows.window(id))
            windows.append(*window);
    return RunningAppsService::hasOnScreenWindow(windows);
}

void WindowActivationService::select(const WindowInfo& window)
{
    if (!m_windows.window(window.windowID))
        return;
    if (window.state == WindowInfo::State::Normal && m_windows.activeWindow() == window.windowID)
        m_windows.requestMinimize(window.windowID);
    else
        m_windows.requestActivate(window.windowID);
}

void WindowActivationService::perform(WindowCommand command, const WindowInfo& window)
{
    const WindowId id = window.windowID;
    if (!m_windows.window(id))
        return;
    switch (command) {
    case WindowCommand::Minimize:
        m_windows.requestMinimize(id);
        break;
    case WindowCommand::Restore:
        m_windows.requestActivate(id);
        break;
    case WindowCommand::Maximize:
        // A maximized window the user cannot see would look as if nothing happened.
        m_windows.requestToggleMaximize(id);
        m_windows.requestActivate(id);
        break;
    case WindowCommand::Close:
        m_windows.requestClose(id);
        break;
    }
}

// Least recently active first; windows never active keep their stacking of appearance.
QList<WindowId> WindowActivationService::byRecency(const QList<WindowId>& windows) const
{
    QList<WindowId> ordered = windows;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [this](WindowId a, WindowId b) { return m_lastActive.value(a) < m_lastActive.value(b); });
    return ordered;
}
