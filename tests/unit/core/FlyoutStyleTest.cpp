#include "core/models/FlyoutStyle.h"
#include "core/services/PreferencesStore.h"
#include "fakes/FakeUserDefaults.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class FlyoutStyleTest : public ::testing::Test {
protected:
    FlyoutStyleTest()
    {
        prefs.setPanelTintHex("#20304080");
        prefs.setPanelOpacity(0.7);
        prefs.setPanelBlurRadius(12);
        prefs.setTheme(AppTheme::Dark);
    }

    FakeUserDefaults defaults;
    PreferencesStore prefs{defaults};
};

TEST_F(FlyoutStyleTest, FollowsTheAppearanceSettingsWhileTransparent)
{
    prefs.setMenuWindowStyle(HighlightStyle::Windows);
    const FlyoutStyle style = FlyoutStyle::fromPreferences(prefs);
    EXPECT_EQ(style.tintHex, "#20304080");
    EXPECT_TRUE(style.isTransparent);
    EXPECT_DOUBLE_EQ(style.opacity, 0.7);
    EXPECT_DOUBLE_EQ(style.blurRadius, 12);
    EXPECT_EQ(style.theme, AppTheme::Dark);
    EXPECT_TRUE(style.isSquare);
    EXPECT_EQ(style.cornerRadius(), 0.0);
}

TEST_F(FlyoutStyleTest, WithoutTransparencyIsOpaqueAndUnblurred)
{
    prefs.setTransparencyEnabled(false);
    const FlyoutStyle style = FlyoutStyle::fromPreferences(prefs);
    EXPECT_FALSE(style.isTransparent);
    EXPECT_DOUBLE_EQ(style.opacity, 1.0);
    EXPECT_DOUBLE_EQ(style.blurRadius, 0.0);
    EXPECT_EQ(style.tintHex, "#20304080");
    EXPECT_FALSE(style.isSquare);
    EXPECT_EQ(style.cornerRadius(), 10.0);
}

TEST(FlyoutStyle, WindowBlurRadiusIsATruncatedWholeNumberAndNeverNegative)
{
    const struct {
        double radius;
        int expected;
    } cases[] = {
        {20.9, 20}, {1.0, 1}, {0.9, 0}, {-4, 0}, {std::numeric_limits<double>::quiet_NaN(), 0},
        {1e300, std::numeric_limits<int>::max()},
    };
    for (const auto& c : cases) {
        FlyoutStyle style;
        style.blurRadius = c.radius;
        EXPECT_EQ(style.windowBlurRadius(), c.expected) << c.radius;
    }
}

} // namespace
