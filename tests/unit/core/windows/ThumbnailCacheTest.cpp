#include "core/features/windows/CaptureThrottle.h"
#include "core/features/windows/ThumbnailCache.h"

#include <gtest/gtest.h>

namespace {

// Images told apart by their width.
QImage image(int tag)
{
    QImage result(tag, 1, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::red);
    return result;
}

TEST(ThumbnailCache, AnEntryIsFreshForTwoSecondsAndKnownAfterwards)
{
    ThumbnailCache cache;
    cache.store(WindowId{1}, image(3), 1'000);
    EXPECT_EQ(cache.fresh(WindowId{1}, 2'999).width(), 3);
    EXPECT_TRUE(cache.fresh(WindowId{1}, 3'000).isNull());
    EXPECT_EQ(cache.lastKnown(WindowId{1}).width(), 3);
    EXPECT_TRUE(cache.lastKnown(WindowId{2}).isNull());
}

TEST(ThumbnailCache, TheFiftyFirstEntryEvictsTheOldest)
{
    ThumbnailCache cache;
    // Stored newest-first by id, so the oldest is the last id, not the first in the map.
    for (int i = 0; i < ThumbnailCache::maxCount; ++i)
        cache.store(WindowId{quint32(100 - i)}, image(i + 1), 1'000 + i);
    const WindowId oldest{100};
    const WindowId secondOldest{99};
    cache.store(WindowId{500}, image(60), 1'100);
    EXPECT_TRUE(cache.fresh(oldest, 1'100).isNull());
    EXPECT_FALSE(cache.fresh(secondOldest, 1'100).isNull());
    EXPECT_FALSE(cache.fresh(WindowId{500}, 1'100).isNull());
    EXPECT_EQ(cache.lastKnown(oldest).width(), 1) << "the last known image outlives the fresh entry";
}

TEST(ThumbnailCache, KeepsAtMostOneHundredLastKnownImages)
{
    ThumbnailCache cache;
    for (quint32 id = 1; id <= ThumbnailCache::lastKnownLimit; ++id)
        cache.store(WindowId{id}, image(int(id)), id);
    cache.store(WindowId{7}, image(700), 500);
    EXPECT_FALSE(cache.lastKnown(WindowId{1}).isNull()) << "replacing a known window evicts nothing";
    EXPECT_EQ(cache.lastKnown(WindowId{7}).width(), 700);

    cache.store(WindowId{1000}, image(1000), 600);
    int known = 0;
    for (quint32 id = 1; id <= 1000; ++id)
        known += cache.lastKnown(WindowId{id}).isNull() ? 0 : 1;
    EXPECT_EQ(known, ThumbnailCache::lastKnownLimit);
    EXPECT_TRUE(cache.lastKnown(WindowId{1}).isNull()) << "the first in the map goes";
    EXPECT_EQ(cache.lastKnown(WindowId{1000}).width(), 1000);
}

TEST(CaptureThrottle, OneCapturePerWindowEveryTwoSeconds)
{
    CaptureThrottle throttle;
    EXPECT_TRUE(throttle.tryStart(WindowId{1}, 0));
    EXPECT_TRUE(throttle.tryStart(WindowId{2}, 500)) << "windows are throttled apart";
    EXPECT_FALSE(throttle.tryStart(WindowId{1}, 1'999));
    EXPECT_TRUE(throttle.tryStart(WindowId{1}, 2'000));
    EXPECT_FALSE(throttle.tryStart(WindowId{2}, 2'000));
    EXPECT_TRUE(throttle.tryStart(WindowId{2}, 2'500));
}

} // namespace
