#include "core/models/SettingEnums.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingEnums, UnknownOrWrongCaseTextGivesTheFallback)
{
    EXPECT_EQ(SettingEnum::fromRawValue<BarPosition>("center"), BarPosition::Bottom);
    EXPECT_EQ(SettingEnum::fromRawValue<SearchFieldPosition>("Top"), SearchFieldPosition::Bottom);
    EXPECT_EQ(SettingEnum::fromRawValue<MenuActionsSide>(""), MenuActionsSide::Right);
    EXPECT_EQ(SettingEnum::fromRawValue<MenuButtonPlacement>("BEFORETRAY"), MenuButtonPlacement::Start);
    EXPECT_EQ(SettingEnum::fromRawValue<MenuButtonPlacement>("beforeTray"), MenuButtonPlacement::BeforeTray);
}

template <typename E>
void expectRawValuesRoundTrip()
{
    for (E value : SettingEnum::allCases<E>())
        EXPECT_EQ(SettingEnum::parse<E>(SettingEnum::rawValue(value)), value);
}

TEST(SettingEnums, EveryCaseRoundTripsThroughItsRawValue)
{
    expectRawValuesRoundTrip<BarPosition>();
    expectRawValuesRoundTrip<DisplayMode>();
    expectRawValuesRoundTrip<MenuButtonPlacement>();
    expectRawValuesRoundTrip<AppTheme>();
    expectRawValuesRoundTrip<ActiveIndicatorStyle>();
    expectRawValuesRoundTrip<HighlightStyle>();
    expectRawValuesRoundTrip<MenuHeightMode>();
    expectRawValuesRoundTrip<SearchFieldPosition>();
    expectRawValuesRoundTrip<MenuActionsSide>();
}

TEST(SettingEnums, CasesAreListedInPickerOrderWithTitles)
{
    EXPECT_EQ(SettingEnum::allCases<MenuButtonPlacement>(),
              (QList<MenuButtonPlacement>{MenuButtonPlacement::Start, MenuButtonPlacement::BeforeTray,
                                          MenuButtonPlacement::AfterTray}));
    EXPECT_EQ(SettingEnum::displayTitle(MenuButtonPlacement::AfterTray), "Opposite end");
    EXPECT_EQ(SettingEnum::displayTitle(DisplayMode::Primary), "Primary only");
    EXPECT_EQ(SettingEnum::displayTitle(MenuHeightMode::Full), "Full height");
}

TEST(SettingEnums, BarPositionOrientation)
{
    struct Case {
        BarPosition position;
        bool vertical;
        const char* dock;
    };
    const Case cases[] = {{BarPosition::Bottom, false, "bottom"},
                          {BarPosition::Top, false, "bottom"},
                          {BarPosition::Left, true, "left"},
                          {BarPosition::Right, true, "right"}};
    for (const Case& c : cases) {
        EXPECT_EQ(isVertical(c.position), c.vertical);
        EXPECT_EQ(dockOrientation(c.position), c.dock);
    }
}

} // namespace
