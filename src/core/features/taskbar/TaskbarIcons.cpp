#include "TaskbarIcons.h"

#include "core/ports/WindowSystem.h"
#include "core/services/AppDiscoveryService.h"
#include "core/services/IconCacheService.h"
#include "core/services/RunningAppsService.h"

TaskbarIcons::TaskbarIcons(const AppDiscoveryService& discovery, const IconCacheService& iconCache,
    const RunningAppsService& running, const WindowSystem& windows)
    : m_discovery(discovery)
    , m_iconCache(iconCache)
    , m_running(running)
    , m_windows(windows)
{
}

void TaskbarIcons::requestIcon(
    const TaskbarItem& item, int pixelSize, QObject* context, std::function<void(const QImage&)> done) const
{
    if (item.url) {
        m_iconCache.requestIcon(item.bundleID, *item.url, iconNameOf(item.bundleID), context, std::move(done));
        return;
    }
    const QList<WindowId> windows = m_running.windowsOf(item.bundleID);
    done(windows.isEmpty() ? QImage() : m_windows.icon(windows.first(), pixelSize));
}

QString TaskbarIcons::iconNameOf(const QString& bundleID) const
{
    for (const InstalledApp& app : m_discovery.apps())
        if (app.bundleID == bundleID)
            return app.icon;
    return {};
}
