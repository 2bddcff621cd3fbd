#include "core/models/BarFrame.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QRect frame;
    QRect visible;
    BarPosition position;
    double height;
    QRect expected;
};

// Frame 1920 x 1080; a 25-pixel panel along the top where noted.
const QRect monitor(0, 0, 1920, 1080);
const QRect underTopPanel(0, 25, 1920, 1055);

const Case cases[] = {
    {"bottom, top panel", monitor, underTopPanel, BarPosition::Bottom, 48, {0, 1032, 1920, 48}},
    {"top sits under the top panel", monitor, underTopPanel, BarPosition::Top, 48, {0, 25, 1920, 48}},
    {"left reaches one pixel into the top panel", monitor, underTopPanel, BarPosition::Left, 48, {0, 24, 48, 1056}},
    {"right", monitor, underTopPanel, BarPosition::Right, 48, {1872, 24, 48, 1056}},
    {"bottom, nothing else", monitor, monitor, BarPosition::Bottom, 48, {0, 1032, 1920, 48}},
    {"top, nothing else", monitor, monitor, BarPosition::Top, 48, {0, 0, 1920, 48}},
    {"left never leaves its monitor", monitor, monitor, BarPosition::Left, 48, {0, 0, 48, 1080}},
    {"right, nothing else", monitor, monitor, BarPosition::Right, 56, {1864, 0, 56, 1080}},
    {"second monitor to the right", {1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}, BarPosition::Bottom, 40,
     {1920, 984, 1280, 40}},
    {"monitor below another", {0, 1080, 1920, 1080}, {0, 1080, 1920, 1080}, BarPosition::Left, 48,
     {0, 1080, 48, 1080}},
    {"bottom ignores a panel at the bottom", monitor, {0, 0, 1920, 1050}, BarPosition::Bottom, 48,
     {0, 1032, 1920, 48}},
    {"fractional height rounds", monitor, monitor, BarPosition::Bottom, 47.6, {0, 1032, 1920, 48}},
    {"zero height keeps one pixel", monitor, monitor, BarPosition::Bottom, 0, {0, 1079, 1920, 1}},
    {"huge height stops at the monitor", monitor, monitor, BarPosition::Top, 5000, {0, 0, 1920, 1080}},
    {"not-a-number height", monitor, monitor, BarPosition::Bottom, std::nan(""), {0, 1032, 1920, 48}},
};

TEST(BarFrame, PlacesTheBarOnItsEdge)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(frameForBar(c.frame, c.visible, c.position, c.height), c.expected);
    }
}

} // namespace
