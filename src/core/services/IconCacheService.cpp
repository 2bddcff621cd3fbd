#include "IconCacheService.h"

#include "Background.h"
#include "IconCacheDirectory.h"
#include "IconFingerprint.h"
#include "IconMemoryCache.h"
#include "core/ports/BundleFileReading.h"
#include "core/ports/IconLoading.h"

// Everything a request does off the main thread.
class IconCacheService::Worker {
public:
    Worker(std::shared_ptr<const BundleFileReading> files, std::shared_ptr<const IconLoading> loader, QString directory)
        : m_files(std::move(files))
        , m_loader(std::move(loader))
        , m_directory(std::move(directory))
    {
    }

    const IconCacheDirectory& directory() const { return m_directory; }

    QImage icon(const QString& bundleID, const QString& desktopFile, const QString& iconName) const
    {
        if (!IconCacheDirectory::isUsableBundleID(bundleID))
            return {};
        const std::optional<QString> iconFile = m_files->iconFile(iconName);
        const QString key = IconCacheDirectory::key(bundleID, IconFingerprint::of(desktopFile, iconFile, *m_files));
        if (std::optional<QImage> image = m_memory.find(key))
            return *image;
        if (QImage image = m_directory.read(key); !image.isNull()) {
            m_memory.insert(key, image);
            return image;
        }
        return iconFile ? render(bundleID, key, *iconFile) : QImage();
    }

private:
    QImage render(const QString& bundleID, const QString& key, const QString& iconFile) const
    {
        const std::optional<QByteArray> png = m_loader->loadIcon(iconFile);
        if (!png)
            return {};
        const QImage image = QImage::fromData(*png, "PNG");
        if (image.isNull())
            return {};
        m_memory.insert(key, image);
        m_directory.write(key, *png);
        m_directory.removeStaleFiles(bundleID, IconCacheDirectory::fileName(key));
        return image;
    }

    std::shared_ptr<const BundleFileReading> m_files;
    std::shared_ptr<const IconLoading> m_loader;
    IconCacheDirectory m_directory;
    mutable IconMemoryCache m_memory;
};

IconCacheService::IconCacheService(std::shared_ptr<const BundleFileReading> files,
    std::shared_ptr<const IconLoading> loader, const std::optional<QString>& cacheDirectory)
    : m_worker(std::make_shared<const Worker>(
        std::move(files), std::move(loader), cacheDirectory.value_or(IconCacheDirectory::defaultPath())))
{
    m_worker->directory().removeLegacyFiles();
}

IconCacheService::~IconCacheService() = default;

void IconCacheService::requestIcon(const QString& bundleID, const QString& desktopFile, const QString& iconName,
    QObject* context, IconCallback done) const
{
    if (!context || !done)
        return;
    runInBackground<QImage>(
        context,
        [worker = m_worker, bundleID, desktopFile, iconName] { return worker->icon(bundleID, desktopFile, iconName); },
        std::move(done));
}

QString IconCacheService::cacheDirectory() const
{
    return m_worker->directory().path();
}
