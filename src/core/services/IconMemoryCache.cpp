#include "IconMemoryCache.h"

IconMemoryCache::IconMemoryCache()
    : m_images(capacity)
{
}

std::optional<QImage> IconMemoryCache::find(const QString& key) const
{
    const QMutexLocker lock(&m_mutex);
    if (const QImage* image = m_images.object(key))
        return *image;
    return std::nullopt;
}

void IconMemoryCache::insert(const QString& key, const QImage& image)
{
    const QMutexLocker lock(&m_mutex);
    m_images.insert(key, new QImage(image));
}
