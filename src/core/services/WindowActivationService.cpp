#include "WindowActivationService.h"

#include "core/ports/AppLauncher.h"
#include "core/ports/WindowSystem.h"
#include "core/services/RunningAppsService.h"

WindowActivationService::WindowActivationService(WindowSystem& windows, const RunningAppsService& running,
                                                 AppLauncher& launcher,
                                                 std::function<QString(const QString&)> desktopFileOf, QObject* parent)
    : QObject(parent), m_windows(windows), m_running(running), m_launcher(launcher),
      m_desktopFileOf(std::move(desktopFileOf))
{
    connect(&m_windows, &WindowSystem::activeWindowChanged, this,
            [this](WindowId active) { m_history.noteActive(active); });
    connect(&m_windows, &WindowSystem::windowsChanged, this, [this](const QList<WindowId>&, const QList<WindowId>& removed) {
        for (WindowId id : removed)
            m_history.forget(id);
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
    QList<WindowId> ordered = m_history.byRecency(windows);
    const WindowId last = ordered.takeLast();
    bringForward(last, ordered);
}

// The main window: the one used last of those not minimized.
void WindowActivationService::minimize(const QString& bundleID)
{
    const QList<WindowId> ordered = m_history.byRecency(m_running.windowsOf(bundleID));
    for (auto it = ordered.crbegin(); it != ordered.crend(); ++it) {
        const auto window = m_windows.window(*it);
        if (window && !window->minimized) {
            m_windows.requestMinimize(*it);
            return;
        }
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
    if (!m_windows.window(window.windowID)) {
        // Gone since the previews listed it: its application still comes forward.
        if (const QString bundleID = bundleIDOfPid(window.ownerPID); !bundleID.isEmpty())
            activate(bundleID);
        return;
    }
    if (window.state == WindowInfo::State::Normal && m_windows.activeWindow() == window.windowID)
        m_windows.requestMinimize(window.windowID);
    else
        bringForwardWithItsApplication(window.windowID);
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
        bringForwardWithItsApplication(id);
        break;
    case WindowCommand::Maximize:
        // A maximized window the user cannot see would look as if nothing happened.
        m_windows.requestToggleMaximize(id);
        bringForwardWithItsApplication(id);
        break;
    case WindowCommand::Close:
        m_windows.requestClose(id);
        break;
    }
}

// The application's other windows on screen come along, as when the application is activated,
// but minimized ones stay where they are.
void WindowActivationService::bringForwardWithItsApplication(WindowId chosen)
{
    QList<WindowId> others;
    for (WindowId id : m_history.byRecency(m_running.windowsOf(m_running.bundleIDOf(chosen)))) {
        const auto other = m_windows.window(id);
        if (id != chosen && other && !other->minimized)
            others.append(id);
    }
    bringForward(chosen, others);
}

// `others` come forward first, in their order, and `chosen` last, on top with the focus. Windows
// elsewhere stay there, and none come along when the focus goes to another desktop.
void WindowActivationService::bringForward(WindowId chosen, const QList<WindowId>& others)
{
    const auto window = m_windows.window(chosen);
    if (window && window->onCurrentDesktop) {
        for (WindowId id : others) {
            const auto other = m_windows.window(id);
            if (other && other->onCurrentDesktop)
                m_windows.requestActivate(id);
        }
    }
    m_windows.requestActivate(chosen);
}

QString WindowActivationService::bundleIDOfPid(qint32 pid) const
{
    if (pid == 0)
        return {};
    for (const RunningApp& app : m_running.runningApps())
        if (app.processIdentifier == pid)
            return app.bundleID;
    return {};
}
