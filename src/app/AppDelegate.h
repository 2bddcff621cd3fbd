#pragma once

#include "AppDependencies.h"
#include "core/models/SettingEnums.h"

#include <QList>
#include <QObject>
#include <QRect>
#include <QTimer>

#include <memory>
#include <vector>

class PelluxWindowController;
class QScreen;

// The application's spine: builds the bars on the target monitors, starts the services, follows
// monitor and display-mode changes, and relaunches after quit when asked to.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(AppDependencies dependencies, QObject* parent = nullptr);
    ~AppDelegate() override;

    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // The bars on these monitors (their frames in root pixels) step aside for a full-screen window.
    void hideBarsOn(const QList<QRect>& monitors);
    void armRelaunchAfterQuit() { m_relaunchAfterQuit = true; }
    // What the bars show, as one JSON text for the control interface.
    QByteArray stateJson() const;

    const AppDependencies& dependencies() const { return m_dependencies; }

private:
    void rebuildWindows();
    void rebuildWindows(DisplayMode mode);
    QList<QScreen*> targetScreens(DisplayMode mode) const;
    void watchScreen(QScreen* screen);
    void screenParametersDidChange();
    // Tells window fitting where the bars are now.
    void updateFittingScreens();
    void showOrHide(PelluxWindowController& controller) const;

    AppDependencies m_dependencies;
    std::vector<std::unique_ptr<PelluxWindowController>> m_windowControllers;
    QTimer m_screenChangeSettle;
    bool m_relaunchAfterQuit = false;
    QList<QRect> m_fullScreenMonitors;
};
