#pragma once

#include "platform/PlatformServices.h"
#include "ui/windows/BarServices.h"

#include <memory>

class AppDiscoveryService;
class DockBadgeService;
class IconCacheService;
class WindowActivationService;
class PreferencesStore;
class RunningAppsService;
class ShowDesktopService;
class WindowFittingService;
class WindowsService;
class TaskbarIcons;
class UserDefaults;

// Every long-lived service, built once; copies share the same services.
struct AppDependencies {
    std::shared_ptr<UserDefaults> userDefaults;
    std::shared_ptr<PreferencesStore> preferences;
    PlatformServices platform;
    std::shared_ptr<AppDiscoveryService> discovery;
    std::shared_ptr<RunningAppsService> runningAppsService;
    std::shared_ptr<DockBadgeService> dockBadgeService;
    std::shared_ptr<IconCacheService> iconCache;
    std::shared_ptr<WindowActivationService> windowActivator;
    std::shared_ptr<TaskbarIcons> taskbarIcons;
    std::shared_ptr<ShowDesktopService> showDesktop;
    std::shared_ptr<WindowFittingService> windowFitting;
    std::shared_ptr<WindowsService> windowsService;
    QString fileManagerID;

    // Builds the services in order, each later one taking earlier ones.
    static AppDependencies create();
    void start();

    BarServices barServices() const;
};
