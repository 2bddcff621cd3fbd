#pragma once

#include "SettingEnum.h"

enum class BarPosition { Bottom, Top, Left, Right };
enum class DisplayMode { All, Primary };
enum class MenuButtonPlacement { Start, BeforeTray, AfterTray };
enum class AppTheme { Auto, Light, Dark };
enum class ActiveIndicatorStyle { Underline, Background, Border };
enum class HighlightStyle { Mac, Windows };
enum class MenuHeightMode { Standard, Full };
enum class SearchFieldPosition { Top, Bottom };
enum class MenuActionsSide { Left, Right };

bool isVertical(BarPosition position);
// The edge name a system dock would use for this bar position.
QString dockOrientation(BarPosition position);

template <>
struct SettingEnumTraits<BarPosition> {
    static constexpr std::array<SettingEnumCase<BarPosition>, 4> cases{{
        {BarPosition::Bottom, "bottom", "Bottom"},
        {BarPosition::Top, "top", "Top"},
        {BarPosition::Left, "left", "Left"},
        {BarPosition::Right, "right", "Right"},
    }};
    static constexpr BarPosition fallback = BarPosition::Bottom;
};

template <>
struct SettingEnumTraits<DisplayMode> {
    static constexpr std::array<SettingEnumCase<DisplayMode>, 2> cases{{
        {DisplayMode::All, "all", "All displays"},
        {DisplayMode::Primary, "primary", "Primary only"},
    }};
    static constexpr DisplayMode fallback = DisplayMode::All;
};

template <>
struct SettingEnumTraits<MenuButtonPlacement> {
    static constexpr std::array<SettingEnumCase<MenuButtonPlacement>, 3> cases{{
        {MenuButtonPlacement::Start, "start", "Standard"},
        {MenuButtonPlacement::BeforeTray, "beforeTray", "Before tray"},
        {MenuButtonPlacement::AfterTray, "afterTray", "Opposite end"},
    }};
    static constexpr MenuButtonPlacement fallback = MenuButtonPlacement::Start;
};

template <>
struct SettingEnumTraits<AppTheme> {
    static constexpr std::array<SettingEnumCase<AppTheme>, 3> cases{{
        {AppTheme::Auto, "auto", "Automatic"},
        {AppTheme::Light, "light", "Light"},
        {AppTheme::Dark, "dark", "Dark"},
    }};
    static constexpr AppTheme fallback = AppTheme::Auto;
};

template <>
struct SettingEnumTraits<ActiveIndicatorStyle> {
    static constexpr std::array<SettingEnumCase<ActiveIndicatorStyle>, 3> cases{{
        {ActiveIndicatorStyle::Underline, "underline", "Underline"},
        {ActiveIndicatorStyle::Background, "background", "Background"},
        {ActiveIndicatorStyle::Border, "border", "Border"},
    }};
    static constexpr ActiveIndicatorStyle fallback = ActiveIndicatorStyle::Underline;
};

template <>
struct SettingEnumTraits<HighlightStyle> {
    static constexpr std::array<SettingEnumCase<HighlightStyle>, 2> cases{{
        {HighlightStyle::Mac, "mac", "Mac"},
        {HighlightStyle::Windows, "windows", "Windows"},
    }};
    static constexpr HighlightStyle fallback = HighlightStyle::Mac;
};

template <>
struct SettingEnumTraits<MenuHeightMode> {
    static constexpr std::array<SettingEnumCase<MenuHeightMode>, 2> cases{{
        {MenuHeightMode::Standard, "standard", "Standard"},
        {MenuHeightMode::Full, "full", "Full height"},
    }};
    static constexpr MenuHeightMode fallback = MenuHeightMode::Standard;
};

template <>
struct SettingEnumTraits<SearchFieldPosition> {
    static constexpr std::array<SettingEnumCase<SearchFieldPosition>, 2> cases{{
        {SearchFieldPosition::Top, "top", "Top"},
        {SearchFieldPosition::Bottom, "bottom", "Bottom"},
    }};
    static constexpr SearchFieldPosition fallback = SearchFieldPosition::Bottom;
};

template <>
struct SettingEnumTraits<MenuActionsSide> {
    static constexpr std::array<SettingEnumCase<MenuActionsSide>, 2> cases{{
        {MenuActionsSide::Left, "left", "Left"},
        {MenuActionsSide::Right, "right", "Right"},
    }};
    static constexpr MenuActionsSide fallback = MenuActionsSide::Right;
};
