#pragma once

#include <QString>

class AppDiscoveryService;
class AppLauncher;
class DockBadgeService;
class GlobalClickWatch;
class KeystrokeSender;
class PanelWindowing;
class PreferencesStore;
class RunningAppsService;
class ShowDesktopService;
class TaskbarIcons;
class WindowActivating;
class WindowActivationService;
class WindowsService;

// What one bar window is given by the application; everything outlives the bar.
struct BarServices {
    PreferencesStore* preferences = nullptr;
    PanelWindowing* windowing = nullptr;
    AppDiscoveryService* discovery = nullptr;
    RunningAppsService* runningApps = nullptr;
    DockBadgeService* badges = nullptr;
    WindowActivating* windowActivator = nullptr;
    AppLauncher* launcher = nullptr;
    KeystrokeSender* keystrokes = nullptr;
    const TaskbarIcons* icons = nullptr;
    GlobalClickWatch* clickWatch = nullptr;
    ShowDesktopService* showDesktop = nullptr;
    // The window previews; none without both.
    WindowsService* windows = nullptr;
    WindowActivationService* windowCommands = nullptr;
    QString fileManagerID;
    bool reduceMotion = false;
};
