#pragma once

#include "core/models/WindowId.h"

#include <QImage>
#include <QMap>

// Captured thumbnails: fresh ones (at most `maxCount`, returned while younger than `maxAge`) and
// the last image of every window (at most `lastKnownLimit`), shown when a window cannot be
// captured because it is minimized or on another desktop. Times are milliseconds of one clock.
class ThumbnailCache {
public:
    static constexpr int maxCount = 50;
    static constexpr qint64 maxAge = 2'000;
    static constexpr int lastKnownLimit = 100;

    // Null when there is no entry younger than `maxAge`.
    QImage fresh(WindowId id, qint64 now) const;
    // Null when the window was never captured.
    QImage lastKnown(WindowId id) const { return m_lastKnown.value(id); }
    void store(WindowId id, const QImage& image, qint64 now);

private:
    struct Entry {
        QImage image;
        qint64 date = 0;
    };

    void storeFresh(WindowId id, const QImage& image, qint64 now);
    void remember(WindowId id, const QImage& image);

    // Ordered maps, so "the first found" when evicting is the same every run.
    QMap<WindowId, Entry> m_entries;
    QMap<WindowId, QImage> m_lastKnown;
};
