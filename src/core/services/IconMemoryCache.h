#pragma once

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QString>

#include <optional>

// Icons by cache key, at most 256 of them; safe for use from several threads.
class IconMemoryCache {
public:
    static constexpr int capacity = 256;

    IconMemoryCache();

    std::optional<QImage> find(const QString& key) const;
    void insert(const QString& key, const QImage& image);

private:
    mutable QMutex m_mutex;
    // QCache::object() marks the entry as recently used, so even lookups change it.
    mutable QCache<QString, QImage> m_images;
};
