#pragma once

#include "TaskbarItem.h"

#include <QImage>
#include <QObject>

#include <functional>

class AppDiscoveryService;
class IconCacheService;
class RunningAppsService;
class WindowSystem;

// Where a bar item's picture comes from: the icon cache for installed applications, the window's
// own icon for programs without a desktop entry. Answers arrive on the caller's thread.
class TaskbarIcons {
public:
    TaskbarIcons(const AppDiscoveryService& discovery, const IconCacheService& iconCache,
        const RunningAppsService& running, const WindowSystem& windows);

    // `done` gets a null image when there is no icon; nothing is delivered once `context` is gone.
    // A picture from the window comes again each time that window's icon changes, until the next
    // request for the same `context`.
    void requestIcon(
        const TaskbarItem& item, int pixelSize, QObject* context, std::function<void(const QImage&)> done) const;

private:
    QString iconNameOf(const QString& bundleID) const;

    const AppDiscoveryService& m_discovery;
    const IconCacheService& m_iconCache;
    const RunningAppsService& m_running;
    const WindowSystem& m_windows;
};
