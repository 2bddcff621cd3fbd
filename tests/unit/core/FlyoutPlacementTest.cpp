#include "core/models/FlyoutPlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// A 1920 x 1080 monitor with nothing else reserving space; bars 48 pixels thick.
const QRect monitor(0, 0, 1920, 1080);
const QRect bottomBar(0, 1032, 1920, 48);
const QRect topBar(0, 0, 1920, 48);
const QRect leftBar(0, 0, 48, 1080);
const QRect rightBar(1872, 0, 48, 1080);

struct FrameCase {
    const char* name;
    QRect anchor;
    QRect bar;
    QSizeF size;
    BarPosition position;
    QRect screen;
    QRect expected;
};

const FrameCase frameCases[] = {
    {"bottom: centred on the anchor, one pixel above the bar", {900, 1036, 40, 40}, bottomBar, {200, 100},
     BarPosition::Bottom, monitor, {820, 931, 200, 100}},
    {"fractional sizes round up", {900, 1036, 40, 40}, bottomBar, {199.2, 99.01}, BarPosition::Bottom, monitor,
     {820, 931, 200, 100}},
    {"wider than the area starts 8 pixels from its left", {900, 1036, 40, 40}, bottomBar, {2000, 100},
     BarPosition::Bottom, monitor, {8, 931, 2000, 100}},
    {"anchor at the far end keeps the right edge 8 inside", {1880, 1036, 40, 40}, bottomBar, {200, 100},
     BarPosition::Bottom, monitor, {1712, 931, 200, 100}},
    {"anchor at the start keeps the left edge 8 inside", {0, 1036, 40, 40}, bottomBar, {200, 100},
     BarPosition::Bottom, monitor, {8, 931, 200, 100}},
    {"top: one pixel below the bar", {900, 4, 40, 40}, topBar, {200, 100}, BarPosition::Top, monitor,
     {820, 49, 200, 100}},
    {"top bar under another top panel", {900, 29, 40, 40}, {0, 25, 1920, 48}, {200, 100}, BarPosition::Top,
     {0, 25, 1920, 1055}, {820, 74, 200, 100}},
    {"left: one pixel right of the bar, centred on the anchor", {4, 500, 40, 40}, leftBar, {300, 200},
     BarPosition::Left, monitor, {49, 420, 300, 200}},
    {"taller than the area keeps its top 8 inside", {4, 500, 40, 40}, leftBar, {300, 2000}, BarPosition::Left,
     monitor, {49, 8, 300, 2000}},
    {"right: one pixel left of the bar", {1876, 500, 40, 40}, rightBar, {300, 200}, BarPosition::Right, monitor,
     {1571, 420, 300, 200}},
    {"right, anchor near the bottom keeps 8 above the bottom", {1876, 1030, 40, 40}, rightBar, {300, 200},
     BarPosition::Right, monitor, {1571, 872, 300, 200}},
    {"second monitor: margins measured from its own edges", {1925, 988, 32, 32}, {1920, 984, 1280, 40},
     {200, 100}, BarPosition::Bottom, {1920, 0, 1280, 1024}, {1928, 883, 200, 100}},
    {"negative and not-a-number sizes count as nothing", {900, 1036, 40, 40}, bottomBar,
     {-5, std::numeric_limits<double>::quiet_NaN()}, BarPosition::Bottom, monitor, {920, 1031, 0, 0}},
    {"an absurd size stays arithmetic", {900, 1036, 40, 40}, bottomBar, {1e300, 100}, BarPosition::Bottom,
     monitor, {8, 931, 1 << 20, 100}},
};

TEST(FlyoutPlacement, PlacesTheFlyoutAgainstItsBarInsideTheScreenArea)
{
    for (const FrameCase& c : frameCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FlyoutPlacement::frame(c.anchor, c.bar, c.size, c.position, c.screen), c.expected);
    }
}

TEST(FlyoutPlacement, EntranceStartsTwelvePixelsTowardsTheBar)
{
    const QRect target(100, 200, 300, 150);
    const struct {
        BarPosition position;
        QRect expected;
    } cases[] = {
        {BarPosition::Bottom, {100, 212, 300, 150}},
        {BarPosition::Top, {100, 188, 300, 150}},
        {BarPosition::Left, {88, 200, 300, 150}},
        {BarPosition::Right, {112, 200, 300, 150}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.position));
        EXPECT_EQ(FlyoutPlacement::entranceFrame(target, c.position), c.expected);
    }
}

TEST(FlyoutPlacement, ClampLetsTheLowBoundWinWhenTheRangeIsEmpty)
{
    EXPECT_EQ(FlyoutPlacement::clamp(5, 0, 10), 5);
    EXPECT_EQ(FlyoutPlacement::clamp(-3, 0, 10), 0);
    EXPECT_EQ(FlyoutPlacement::clamp(12, 0, 10), 10);
    EXPECT_EQ(FlyoutPlacement::clamp(5, 8, 2), 8);
}

} // namespace
