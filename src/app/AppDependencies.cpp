#include "AppDependencies.h"

#include "core/services/AppDiscoveryService.h"
#include "core/services/DockBadgeService.h"
#include "core/services/PreferencesStore.h"
#include "core/services/RunningAppsService.h"
#include "platform/xdg/DefaultsDomainFile.h"

#include <unistd.h>

AppDependencies AppDependencies::create()
{
    AppDependencies d;
    d.userDefaults = std::make_shared<DefaultsDomainFile>(DefaultsDomainFile::standardPath());
    d.preferences = std::make_shared<PreferencesStore>(*d.userDefaults);
    d.platform = PlatformServices::create();
    d.discovery = std::make_shared<AppDiscoveryService>(d.platform.applicationSource);
    d.runningAppsService =
        std::make_shared<RunningAppsService>(*d.platform.windowSystem, *d.platform.processInspector, ::getpid());
    QObject::connect(d.discovery.get(), &AppDiscoveryService::appsChanged, d.runningAppsService.get(),
                     &RunningAppsService::setInstalledApps);
    d.dockBadgeService = std::make_shared<DockBadgeService>(*d.platform.launcherEntrySource);
    return d;
}

void AppDependencies::start()
{
    discovery->start();
    runningAppsService->start();
    dockBadgeService->start();
}

BarServices AppDependencies::barServices() const
{
    return {preferences.get(), platform.panelWindowing.get()};
}
