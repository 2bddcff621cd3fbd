#include "TaskbarIcons.h"

#include "core/ports/WindowSystem.h"
#include "core/services/AppDiscoveryService.h"
#include "core/services/IconCacheService.h"
#include "core/services/RunningAppsService.h"

#include <QPointer>

namespace {

// Keeps one request following its window's icon. It lives under the request's context, and a newer
// request of that context replaces it, so a button asking again on every resize follows just once.
class WindowIconFollower : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
};

} // namespace

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
    if (context)
        delete context->findChild<WindowIconFollower*>(QString(), Qt::FindDirectChildrenOnly);
    if (item.url) {
        m_iconCache.requestIcon(item.bundleID, *item.url, iconNameOf(item.bundleID), context, std::move(done));
        return;
    }
    const auto shownWindow = [running = QPointer<const RunningAppsService>(&m_running), bundleID = item.bundleID] {
        return running ? running->windowsOf(bundleID).value(0) : WindowId();
    };
    const auto deliver = [windows = &m_windows, pixelSize, done = std::move(done)](WindowId window) {
        done(window ? windows->icon(window, pixelSize) : QImage());
    };
    deliver(shownWindow());
    if (!context)
        return;
    // The window system is the sender, so the connection ends with it.
    QObject::connect(&m_windows, &WindowSystem::iconChanged, new WindowIconFollower(context),
        [shownWindow, deliver](WindowId changed) {
            if (changed == shownWindow())
                deliver(changed);
        });
}

QString TaskbarIcons::iconNameOf(const QString& bundleID) const
{
    for (const InstalledApp& app : m_discovery.apps())
        if (app.bundleID == bundleID)
            return app.icon;
    return {};
}

#include "TaskbarIcons.moc"
