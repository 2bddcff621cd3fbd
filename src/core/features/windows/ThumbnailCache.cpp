#include "ThumbnailCache.h"

#include <algorithm>

QImage ThumbnailCache::fresh(WindowId id, qint64 now) const
{
    const auto it = m_entries.constFind(id);
    if (it == m_entries.cend() || now - it->date >= maxAge)
        return {};
    return it->image;
}

void ThumbnailCache::store(WindowId id, const QImage& image, qint64 now)
{
    storeFresh(id, image, now);
    remember(id, image);
}

void ThumbnailCache::storeFresh(WindowId id, const QImage& image, qint64 now)
{
    if (m_entries.size() >= maxCount) {
        const auto oldest = std::min_element(m_entries.cbegin(), m_entries.cend(),
                                             [](const Entry& a, const Entry& b) { return a.date < b.date; });
        m_entries.erase(oldest);
    }
    m_entries.insert(id, {image, now});
}

// Without a compositor nothing records when a window was last seen, so no age order exists.
void ThumbnailCache::remember(WindowId id, const QImage& image)
{
    if (!m_lastKnown.contains(id) && m_lastKnown.size() >= lastKnownLimit)
        m_lastKnown.erase(m_lastKnown.cbegin());
    m_lastKnown.insert(id, image);
}
