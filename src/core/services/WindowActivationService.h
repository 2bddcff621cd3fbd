#pragma once

#include "core/features/windows/ActivationHistory.h"
#include "core/features/windows/WindowInfo.h"
#include "core/models/WindowCommand.h"
#include "core/models/WindowId.h"
#include "core/ports/WindowActivating.h"

#include <QObject>

#include <functional>

class WindowSystem;
class RunningAppsService;
class AppLauncher;

// Brings applications forward and sends them away through their window groups. It remembers the
// order in which windows were last active, so an application comes back with the window the
// user used last in front.
class WindowActivationService : public QObject, public WindowActivating {
    Q_OBJECT
public:
    // `desktopFileOf` finds the desktop entry of an installed application (empty when unknown).
    WindowActivationService(WindowSystem& windows, const RunningAppsService& running, AppLauncher& launcher,
                            std::function<QString(const QString&)> desktopFileOf, QObject* parent = nullptr);

    void activate(const QString& bundleID) override;
    void minimize(const QString& bundleID) override;
    void close(const QString& bundleID) override;
    bool hasOnScreenWindow(const QString& bundleID) const override;

    // A click on a window's preview: the window in front goes away, any other comes forward with
    // its application, switching desktops when it lies on another one.
    void select(const WindowInfo& window);
    // A window command from a preview; nothing for a window that is gone.
    void perform(WindowCommand command, const WindowInfo& window);

private:
    void bringForwardWithItsApplication(WindowId chosen);
    void bringForward(WindowId chosen, const QList<WindowId>& others);
    QString bundleIDOfPid(qint32 pid) const;

    WindowSystem& m_windows;
    const RunningAppsService& m_running;
    AppLauncher& m_launcher;
    std::function<QString(const QString&)> m_desktopFileOf;
    ActivationHistory m_history;
};
