#include "AppDependencies.h"

#include "core/services/AppDiscoveryService.h"
#include "core/services/DockBadgeService.h"
#include "core/services/IconCacheService.h"
#include "core/services/WindowActivationService.h"
#include "core/services/PreferencesStore.h"
#include "core/services/RunningAppsService.h"
#include "core/features/showdesktop/ShowDesktopService.h"
#include "core/features/taskbar/TaskbarIcons.h"
#include "core/features/windowfitting/WindowFittingService.h"
#include "core/services/WindowsService.h"
#include "platform/xdg/DefaultApplications.h"
#include "platform/xdg/DefaultsDomainFile.h"

#include <QIcon>

#include <unistd.h>

AppDependencies AppDependencies::create()
{
    AppDependencies d;
    d.userDefaults = std::make_shared<DefaultsDomainFile>(DefaultsDomainFile::standardPath());
    d.preferences = std::make_shared<PreferencesStore>(*d.userDefaults);
    d.platform = PlatformServices::create();
    // Qt's own icon lookups (the bar's symbols) follow the desktop's theme too.
    QIcon::setThemeName(d.platform.iconThemeName);
    d.discovery = std::make_shared<AppDiscoveryService>(d.platform.applicationSource);
    d.runningAppsService =
        std::make_shared<RunningAppsService>(*d.platform.windowSystem, *d.platform.processInspector, ::getpid());
    QObject::connect(d.discovery.get(), &AppDiscoveryService::appsChanged, d.runningAppsService.get(),
                     &RunningAppsService::setInstalledApps);
    d.dockBadgeService = std::make_shared<DockBadgeService>(*d.platform.launcherEntrySource);
    d.iconCache = std::make_shared<IconCacheService>(d.platform.bundleFiles, d.platform.iconLoader);
    d.windowActivator = std::make_shared<WindowActivationService>(
        *d.platform.windowSystem, *d.runningAppsService, *d.platform.appLauncher,
        [discovery = d.discovery.get()](const QString& bundleID) {
            for (const InstalledApp& app : discovery->apps())
                if (app.bundleID == bundleID)
                    return app.url;
            return QString();
        });
    d.taskbarIcons = std::make_shared<TaskbarIcons>(*d.discovery, *d.iconCache, *d.runningAppsService,
                                                    *d.platform.windowSystem);
    d.showDesktop = std::make_shared<ShowDesktopService>(*d.platform.windowSystem, ::getpid());
    d.windowFitting = std::make_shared<WindowFittingService>(*d.platform.windowSystem, *d.runningAppsService, ::getpid());
    d.windowsService = std::make_shared<WindowsService>(*d.platform.windowSystem, *d.runningAppsService,
                                                        *d.platform.windowCapture, d.platform.windowEnumerating);
    d.fileManagerID = DefaultApplications(DefaultApplications::standardListFiles())
                          .defaultFor(QStringLiteral("inode/directory"));
    return d;
}

void AppDependencies::start()
{
    // Windows are grouped by the installed applications: grouped before the first scan, every
    // window would show as an unknown application for a moment and then move.
    QObject::connect(discovery.get(), &AppDiscoveryService::appsChanged, runningAppsService.get(),
                     &RunningAppsService::start, Qt::SingleShotConnection);
    discovery->start();
    dockBadgeService->start();
    windowFitting->start();
}

BarServices AppDependencies::barServices() const
{
    return {preferences.get(),        platform.panelWindowing.get(), discovery.get(),
            runningAppsService.get(), dockBadgeService.get(),      windowActivator.get(),
            platform.appLauncher.get(), platform.keystrokeSender.get(), taskbarIcons.get(),
            platform.globalClickWatch.get(), showDesktop.get(), windowsService.get(), windowActivator.get(),
            fileManagerID, platform.reduceMotion};
}
