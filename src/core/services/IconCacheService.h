#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class BundleFileReading;
class IconLoading;
class QObject;

// Application icons, rendered once to 64 x 64 PNG files and kept in memory and on disk under the
// bundle id and a fingerprint of the application's files, so an update gets a fresh icon.
class IconCacheService {
public:
    using IconCallback = std::function<void(const QImage&)>;

    // Without a cache directory the default one is used. Deletes cache files of older namings.
    IconCacheService(std::shared_ptr<const BundleFileReading> files, std::shared_ptr<const IconLoading> loader,
        const std::optional<QString>& cacheDirectory = std::nullopt);
    ~IconCacheService();

    IconCacheService(const IconCacheService&) = delete;
    IconCacheService& operator=(const IconCacheService&) = delete;

    // Never blocks: the work runs on the thread pool and `done` then runs on the thread of
    // `context` (which must live on the calling thread) with the icon, or with a null image when
    // there is none; nothing is cached then, so the next request tries again. `done` never runs
    // once `context` is gone, and nothing happens without a context.
    void requestIcon(const QString& bundleID, const QString& desktopFile, const QString& iconName, QObject* context,
        IconCallback done) const;

    QString cacheDirectory() const;

private:
    class Worker;

    // Shared with the tasks in flight, which may finish after the service is gone.
    std::shared_ptr<const Worker> m_worker;
};
