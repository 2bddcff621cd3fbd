#pragma once

// The keys of the settings domain.
namespace PreferenceKeys {

inline constexpr char barHeight[] = "pellux.barHeight";
inline constexpr char iconScale[] = "pellux.iconScale";
inline constexpr char iconPadding[] = "pellux.iconPadding";
inline constexpr char position[] = "pellux.position";
inline constexpr char displayMode[] = "pellux.displayMode";
inline constexpr char startButtonLabel[] = "pellux.startButtonLabel";
inline constexpr char menuButtonPlacement[] = "pellux.menuButtonPlacement";
inline constexpr char legacyStartButtonAtEnd[] = "pellux.startButtonAtEnd";
inline constexpr char showFinderInRunningApps[] = "pellux.showFinderInRunningApps";
inline constexpr char launchAtLogin[] = "pellux.launchAtLogin";
inline constexpr char theme[] = "pellux.theme";
inline constexpr char panelTintHex[] = "pellux.panelTintHex";
inline constexpr char transparencyEnabled[] = "pellux.transparencyEnabled";
inline constexpr char panelOpacity[] = "pellux.panelOpacity";
inline constexpr char panelBlurRadius[] = "pellux.panelBlurRadius";
inline constexpr char activeIndicator[] = "pellux.activeIndicator";
inline constexpr char showRunningIndicators[] = "pellux.showRunningIndicators";
inline constexpr char highlightStyle[] = "pellux.highlightStyle";
inline constexpr char menuWindowStyle[] = "pellux.menuWindowStyle";
inline constexpr char menuHeightMode[] = "pellux.menuHeightMode";
inline constexpr char searchFieldPosition[] = "pellux.searchFieldPosition";
inline constexpr char menuActionsSide[] = "pellux.menuActionsSide";
inline constexpr char showAppLabels[] = "pellux.showAppLabels";
inline constexpr char pinnedBundleIDs[] = "pellux.pinnedBundleIDs";
inline constexpr char menuShortcutPaths[] = "pellux.menuShortcutPaths";
inline constexpr char appFolders[] = "pellux.appFolders";
inline constexpr char pinnedShortcuts[] = "pellux.pinnedShortcuts";
inline constexpr char showRecentInMenu[] = "pellux.showRecentInMenu";
inline constexpr char showShortcutsInMenu[] = "pellux.showShortcutsInMenu";
inline constexpr char hasCompletedOnboarding[] = "pellux.hasCompletedOnboarding";
inline constexpr char windowPreviewsEnabled[] = "pellux.feature.windowPreviews";
inline constexpr char windowPreviewsMultipleOnly[] = "pellux.windowPreviews.multipleOnly";
inline constexpr char showDesktopEnabled[] = "pellux.feature.showDesktop";
inline constexpr char globalHotkeysEnabled[] = "pellux.feature.globalHotkeys";
inline constexpr char trayClockEnabled[] = "pellux.feature.trayClock";
inline constexpr char trayBatteryEnabled[] = "pellux.feature.trayBattery";
inline constexpr char trayInputSourceEnabled[] = "pellux.feature.trayInputSource";
inline constexpr char trayVolumeEnabled[] = "pellux.feature.trayVolume";
inline constexpr char trayWifiEnabled[] = "pellux.feature.trayWifi";

// Each stored setting with the store property that holds it.
struct PreferenceProperty {
    const char* key;
    const char* property;
};

inline constexpr PreferenceProperty properties[] = {
    {barHeight, "barHeight"},
    {iconScale, "iconScale"},
    {iconPadding, "iconPadding"},
    {position, "position"},
    {displayMode, "displayMode"},
    {startButtonLabel, "startButtonLabel"},
    {menuButtonPlacement, "menuButtonPlacement"},
    {showFinderInRunningApps, "showFinderInRunningApps"},
    {launchAtLogin, "launchAtLogin"},
    {theme, "theme"},
    {panelTintHex, "panelTintHex"},
    {transparencyEnabled, "transparencyEnabled"},
    {panelOpacity, "panelOpacity"},
    {panelBlurRadius, "panelBlurRadius"},
    {activeIndicator, "activeIndicator"},
    {showRunningIndicators, "showRunningIndicators"},
    {highlightStyle, "highlightStyle"},
    {menuWindowStyle, "menuWindowStyle"},
    {menuHeightMode, "menuHeightMode"},
    {searchFieldPosition, "searchFieldPosition"},
    {menuActionsSide, "menuActionsSide"},
    {showAppLabels, "showAppLabels"},
    {pinnedBundleIDs, "pinnedBundleIDs"},
    {menuShortcutPaths, "menuShortcutPaths"},
    {appFolders, "appFolders"},
    {pinnedShortcuts, "pinnedShortcuts"},
    {showRecentInMenu, "showRecentInMenu"},
    {showShortcutsInMenu, "showShortcutsInMenu"},
    {hasCompletedOnboarding, "hasCompletedOnboarding"},
    {windowPreviewsEnabled, "windowPreviewsEnabled"},
    {windowPreviewsMultipleOnly, "windowPreviewsMultipleOnly"},
    {showDesktopEnabled, "showDesktopEnabled"},
    {globalHotkeysEnabled, "globalHotkeysEnabled"},
    {trayClockEnabled, "trayClockEnabled"},
    {trayBatteryEnabled, "trayBatteryEnabled"},
    {trayInputSourceEnabled, "trayInputSourceEnabled"},
    {trayVolumeEnabled, "trayVolumeEnabled"},
    {trayWifiEnabled, "trayWifiEnabled"},
};

} // namespace PreferenceKeys
