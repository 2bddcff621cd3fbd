#include "core/models/PanelAppearance.h"

#include <gtest/gtest.h>

namespace {

TEST(PanelAppearance, TintDecidesOverTheme)
{
    struct Case {
        const char* tint;
        AppTheme theme;
        std::optional<Appearance> expected;
    };
    const Case cases[] = {
        {"FFFFFFFF", AppTheme::Dark, Appearance::Light},
        {"000000FF", AppTheme::Light, Appearance::Dark},
        {"#00FF00FF", AppTheme::Auto, Appearance::Dark}, // 0.587 is not above 0.6
        {"A0A0A0FF", AppTheme::Auto, Appearance::Light},
        {"", AppTheme::Auto, std::nullopt},
        {"", AppTheme::Light, Appearance::Light},
        {"", AppTheme::Dark, Appearance::Dark},
        {"not a colour", AppTheme::Dark, Appearance::Dark},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tint);
        EXPECT_EQ(PanelAppearance::resolve(c.tint, c.theme), c.expected);
    }
}

TEST(PanelAppearance, BackdropFill)
{
    const QColor window(236, 236, 236);
    // No tint: the window colour at 40 %.
    EXPECT_EQ(PanelAppearance::backdropFill("", true, window), QColor(236, 236, 236, 102));
    EXPECT_EQ(PanelAppearance::backdropFill("oops", true, window), QColor(236, 236, 236, 102));
    // A tint keeps its alpha while transparent, and is forced opaque otherwise.
    EXPECT_EQ(PanelAppearance::backdropFill("FF000080", true, window), QColor(255, 0, 0, 128));
    EXPECT_EQ(PanelAppearance::backdropFill("FF000080", false, window), QColor(255, 0, 0, 255));
    EXPECT_EQ(PanelAppearance::backdropFill("", false, window), QColor(236, 236, 236, 255));
    EXPECT_EQ(PanelAppearance::backdropFill("00000000", true, window).alpha(), 0);
}

} // namespace
