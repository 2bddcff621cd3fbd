#include "ui/views/taskbar/AppIconGeometry.h"

#include <gtest/gtest.h>

namespace {

BarEnvironment env(BarPosition position, HighlightStyle style, ActiveIndicatorStyle indicator, bool labels = false)
{
    BarEnvironment e;
    e.position = position;
    e.highlightStyle = style;
    e.activeIndicator = indicator;
    e.showLabels = labels;
    return e;
}

TEST(AppIconGeometry, ButtonIsASquareInMacStyleAndFullThicknessInWindowsStyle)
{
    const auto mac = AppIconGeometry::compute({40, 48}, 40, env(BarPosition::Bottom, HighlightStyle::Mac,
                                                                 ActiveIndicatorStyle::Underline), {});
    EXPECT_EQ(mac.button, QRectF(0, 4, 40, 40));
    const auto windows = AppIconGeometry::compute({40, 48}, 40, env(BarPosition::Bottom, HighlightStyle::Windows,
                                                                     ActiveIndicatorStyle::Underline), {});
    EXPECT_EQ(windows.button, QRectF(0, 0, 40, 48));
    // Padding 0.06 of the size on every side of the icon.
    EXPECT_NEAR(mac.icon.width(), 40 - 2 * 40 * 0.06, 1e-9);
    EXPECT_EQ(mac.icon.center(), mac.button.center());
}

TEST(AppIconGeometry, IndicatorsFaceTheScreenEdge)
{
    struct Case {
        const char* name;
        BarEnvironment e;
        AppIconGeometry::State state;
        QSizeF widget;
        QRectF expected;
    };
    const Case cases[] = {
        {"active underline, mac, bottom: 24 long, 3 beyond the button",
         env(BarPosition::Bottom, HighlightStyle::Mac, ActiveIndicatorStyle::Underline), {true, true}, {40, 48},
         {8, 45, 24, 2}},
        {"running underline: 14 long, grey", env(BarPosition::Bottom, HighlightStyle::Mac, ActiveIndicatorStyle::Underline),
         {true, false}, {40, 48}, {13, 45, 14, 2}},
        {"windows style keeps it 3 inside", env(BarPosition::Bottom, HighlightStyle::Windows, ActiveIndicatorStyle::Underline),
         {true, true}, {40, 48}, {8, 43, 24, 2}},
        {"top bar: along the top edge", env(BarPosition::Top, HighlightStyle::Windows, ActiveIndicatorStyle::Underline),
         {true, true}, {40, 48}, {8, 3, 24, 2}},
        {"left bar: a vertical bar on the leading edge", env(BarPosition::Left, HighlightStyle::Windows,
                                                                ActiveIndicatorStyle::Underline),
         {true, false}, {48, 40}, {3, 13, 2, 14}},
        {"right bar, mac", env(BarPosition::Right, HighlightStyle::Mac, ActiveIndicatorStyle::Underline), {true, true},
         {48, 40}, {45, 8, 2, 24}},
        {"dot for a running app in background style", env(BarPosition::Bottom, HighlightStyle::Mac,
                                                           ActiveIndicatorStyle::Background),
         {true, false}, {40, 48}, {18, 42, 4, 4}},
        {"no dot for the active app in border style", env(BarPosition::Bottom, HighlightStyle::Mac,
                                                           ActiveIndicatorStyle::Border),
         {true, true}, {40, 48}, {}},
        {"nothing for an app that is not running", env(BarPosition::Bottom, HighlightStyle::Mac,
                                                        ActiveIndicatorStyle::Underline),
         {false, false}, {40, 48}, {}},
        {"nothing with labels", env(BarPosition::Bottom, HighlightStyle::Mac, ActiveIndicatorStyle::Underline, true),
         {true, true}, {40, 48}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AppIconGeometry::compute(c.widget, 40, c.e, c.state).indicator, c.expected);
    }
}

TEST(AppIconGeometry, BadgeScalesWithTheButtonButNeverBelowSix)
{
    const BarEnvironment e = env(BarPosition::Bottom, HighlightStyle::Mac, ActiveIndicatorStyle::Underline);
    const auto large = AppIconGeometry::compute({40, 48}, 40, e, {});
    EXPECT_NEAR(large.badgeFontSize, 8.8, 1e-9);
    EXPECT_NEAR(large.badgeOffset.x(), 4.8, 1e-9);
    EXPECT_NEAR(large.badgeOffset.y(), 3.2, 1e-9);
    EXPECT_EQ(AppIconGeometry::compute({20, 48}, 20, e, {}).badgeFontSize, 6);
}

} // namespace
