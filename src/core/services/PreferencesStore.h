#pragma once

#include "core/models/AppFolder.h"
#include "core/models/PinnedShortcut.h"
#include "core/models/SettingEnums.h"
#include "core/services/PreferencesStoring.h"

#include <QObject>
#include <QStringList>

class UserDefaults;

// Every user setting, loaded once from the settings domain and written back on each assignment.
// An assignment notifies subscribers first and then stores: a subscriber reading the same property
// back sees the previous value, so reactions use the value they are handed.
class PreferencesStore : public QObject, public PreferencesStoring {
    Q_OBJECT
    Q_PROPERTY(double barHeight READ barHeight WRITE setBarHeight NOTIFY barHeightChanged)
    Q_PROPERTY(double iconScale READ iconScale WRITE setIconScale NOTIFY iconScaleChanged)
    Q_PROPERTY(double iconPadding READ iconPadding WRITE setIconPadding NOTIFY iconPaddingChanged)
    Q_PROPERTY(BarPosition position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(DisplayMode displayMode READ displayMode WRITE setDisplayMode NOTIFY displayModeChanged)
    Q_PROPERTY(QString startButtonLabel READ startButtonLabel WRITE setStartButtonLabel NOTIFY startButtonLabelChanged)
    Q_PROPERTY(MenuButtonPlacement menuButtonPlacement READ menuButtonPlacement WRITE setMenuButtonPlacement NOTIFY
                   menuButtonPlacementChanged)
    Q_PROPERTY(bool showFinderInRunningApps READ showFinderInRunningApps WRITE setShowFinderInRunningApps NOTIFY
                   showFinderInRunningAppsChanged)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)
    Q_PROPERTY(AppTheme theme READ theme WRITE setTheme NOTIFY themeChanged)
    Q_PROPERTY(QString panelTintHex READ panelTintHex WRITE setPanelTintHex NOTIFY panelTintHexChanged)
    Q_PROPERTY(bool transparencyEnabled READ transparencyEnabled WRITE setTransparencyEnabled NOTIFY
                   transparencyEnabledChanged)
    Q_PROPERTY(double panelOpacity READ panelOpacity WRITE setPanelOpacity NOTIFY panelOpacityChanged)
    Q_PROPERTY(double panelBlurRadius READ panelBlurRadius WRITE setPanelBlurRadius NOTIFY panelBlurRadiusChanged)
    Q_PROPERTY(ActiveIndicatorStyle activeIndicator READ activeIndicator WRITE setActiveIndicator NOTIFY
                   activeIndicatorChanged)
    Q_PROPERTY(bool showRunningIndicators READ showRunningIndicators WRITE setShowRunningIndicators NOTIFY
                   showRunningIndicatorsChanged)
    Q_PROPERTY(HighlightStyle highlightStyle READ highlightStyle WRITE setHighlightStyle NOTIFY highlightStyleChanged)
    Q_PROPERTY(HighlightStyle menuWindowStyle READ menuWindowStyle WRITE setMenuWindowStyle NOTIFY
                   menuWindowStyleChanged)
    Q_PROPERTY(MenuHeightMode menuHeightMode READ menuHeightMode WRITE setMenuHeightMode NOTIFY menuHeightModeChanged)
    Q_PROPERTY(SearchFieldPosition searchFieldPosition READ searchFieldPosition WRITE setSearchFieldPosition NOTIFY
                   searchFieldPositionChanged)
    Q_PROPERTY(MenuActionsSide menuActionsSide READ menuActionsSide WRITE setMenuActionsSide NOTIFY
                   menuActionsSideChanged)
    Q_PROPERTY(bool showAppLabels READ showAppLabels WRITE setShowAppLabels NOTIFY showAppLabelsChanged)
    Q_PROPERTY(QStringList pinnedBundleIDs READ pinnedBundleIDs WRITE setPinnedBundleIDs NOTIFY pinnedBundleIDsChanged)
    Q_PROPERTY(QStringList menuShortcutPaths READ menuShortcutPaths WRITE setMenuShortcutPaths NOTIFY
                   menuShortcutPathsChanged)
    Q_PROPERTY(QList<AppFolder> appFolders READ appFolders WRITE setAppFolders NOTIFY appFoldersChanged)
    Q_PROPERTY(PinnedShortcutMap pinnedShortcuts READ pinnedShortcuts WRITE setPinnedShortcuts NOTIFY
                   pinnedShortcutsChanged)
    Q_PROPERTY(bool showRecentInMenu READ showRecentInMenu WRITE setShowRecentInMenu NOTIFY showRecentInMenuChanged)
    Q_PROPERTY(bool showShortcutsInMenu READ showShortcutsInMenu WRITE setShowShortcutsInMenu NOTIFY
                   showShortcutsInMenuChanged)
    Q_PROPERTY(bool hasCompletedOnboarding READ hasCompletedOnboarding WRITE setHasCompletedOnboarding NOTIFY
                   hasCompletedOnboardingChanged)
    Q_PROPERTY(bool windowPreviewsEnabled READ windowPreviewsEnabled WRITE setWindowPreviewsEnabled NOTIFY
                   windowPreviewsEnabledChanged)
    Q_PROPERTY(bool windowPreviewsMultipleOnly READ windowPreviewsMultipleOnly WRITE setWindowPreviewsMultipleOnly
                   NOTIFY windowPreviewsMultipleOnlyChanged)
    Q_PROPERTY(bool showDesktopEnabled READ showDesktopEnabled WRITE setShowDesktopEnabled NOTIFY
                   showDesktopEnabledChanged)
    Q_PROPERTY(bool globalHotkeysEnabled READ globalHotkeysEnabled WRITE setGlobalHotkeysEnabled NOTIFY
                   globalHotkeysEnabledChanged)
    Q_PROPERTY(bool trayClockEnabled READ trayClockEnabled WRITE setTrayClockEnabled NOTIFY trayClockEnabledChanged)
    Q_PROPERTY(bool trayBatteryEnabled READ trayBatteryEnabled WRITE setTrayBatteryEnabled NOTIFY
                   trayBatteryEnabledChanged)
    Q_PROPERTY(bool trayInputSourceEnabled READ trayInputSourceEnabled WRITE setTrayInputSourceEnabled NOTIFY
                   trayInputSourceEnabledChanged)
    Q_PROPERTY(bool trayVolumeEnabled READ trayVolumeEnabled WRITE setTrayVolumeEnabled NOTIFY trayVolumeEnabledChanged)
    Q_PROPERTY(bool trayWifiEnabled READ trayWifiEnabled WRITE setTrayWifiEnabled NOTIFY trayWifiEnabledChanged)

public:
    explicit PreferencesStore(UserDefaults& defaults, QObject* parent = nullptr);

    // Assigns a setting given as it would be stored under `key`, read by the same rules as at
    // start-up (so a value of the wrong kind assigns the default). False for an unknown key.
    bool assignStored(const QString& key, const QVariant& stored);

    double barHeight() const { return m_barHeight; }
    double iconScale() const { return m_iconScale; }
    double iconPadding() const { return m_iconPadding; }
    BarPosition position() const { return m_position; }
    DisplayMode displayMode() const { return m_displayMode; }
    QString startButtonLabel() const { return m_startButtonLabel; }
    MenuButtonPlacement menuButtonPlacement() const { return m_menuButtonPlacement; }
    bool showFinderInRunningApps() const { return m_showFinderInRunningApps; }
    bool launchAtLogin() const { return m_launchAtLogin; }
    AppTheme theme() const { return m_theme; }
    QString panelTintHex() const { return m_panelTintHex; }
    bool transparencyEnabled() const override { return m_transparencyEnabled; }
    double panelOpacity() const override { return m_panelOpacity; }
    double panelBlurRadius() const override { return m_panelBlurRadius; }
    ActiveIndicatorStyle activeIndicator() const { return m_activeIndicator; }
    bool showRunningIndicators() const { return m_showRunningIndicators; }
    HighlightStyle highlightStyle() const { return m_highlightStyle; }
    HighlightStyle menuWindowStyle() const { return m_menuWindowStyle; }
    MenuHeightMode menuHeightMode() const { return m_menuHeightMode; }
    SearchFieldPosition searchFieldPosition() const { return m_searchFieldPosition; }
    MenuActionsSide menuActionsSide() const { return m_menuActionsSide; }
    bool showAppLabels() const { return m_showAppLabels; }
    QStringList pinnedBundleIDs() const { return m_pinnedBundleIDs; }
    QStringList menuShortcutPaths() const { return m_menuShortcutPaths; }
    QList<AppFolder> appFolders() const { return m_appFolders; }
    PinnedShortcutMap pinnedShortcuts() const { return m_pinnedShortcuts; }
    bool showRecentInMenu() const { return m_showRecentInMenu; }
    bool showShortcutsInMenu() const { return m_showShortcutsInMenu; }
    bool hasCompletedOnboarding() const { return m_hasCompletedOnboarding; }
    bool windowPreviewsEnabled() const { return m_windowPreviewsEnabled; }
    bool windowPreviewsMultipleOnly() const { return m_windowPreviewsMultipleOnly; }
    bool showDesktopEnabled() const { return m_showDesktopEnabled; }
    bool globalHotkeysEnabled() const { return m_globalHotkeysEnabled; }
    bool trayClockEnabled() const { return m_trayClockEnabled; }
    bool trayBatteryEnabled() const { return m_trayBatteryEnabled; }
    bool trayInputSourceEnabled() const { return m_trayInputSourceEnabled; }
    bool trayVolumeEnabled() const { return m_trayVolumeEnabled; }
    bool trayWifiEnabled() const { return m_trayWifiEnabled; }

    void setBarHeight(double value);
    void setIconScale(double value);
    void setIconPadding(double value);
    void setPosition(BarPosition value);
    void setDisplayMode(DisplayMode value);
    void setStartButtonLabel(const QString& value);
    void setMenuButtonPlacement(MenuButtonPlacement value);
    void setShowFinderInRunningApps(bool value);
    void setLaunchAtLogin(bool value);
    void setTheme(AppTheme value);
    void setPanelTintHex(const QString& value);
    void setTransparencyEnabled(bool value);
    void setPanelOpacity(double value);
    void setPanelBlurRadius(double value);
    void setActiveIndicator(ActiveIndicatorStyle value);
    void setShowRunningIndicators(bool value);
    void setHighlightStyle(HighlightStyle value);
    void setMenuWindowStyle(HighlightStyle value);
    void setMenuHeightMode(MenuHeightMode value);
    void setSearchFieldPosition(SearchFieldPosition value);
    void setMenuActionsSide(MenuActionsSide value);
    void setShowAppLabels(bool value);
    void setPinnedBundleIDs(const QStringList& value);
    void setMenuShortcutPaths(const QStringList& value);
    void setAppFolders(const QList<AppFolder>& value);
    void setPinnedShortcuts(const PinnedShortcutMap& value);
    void setShowRecentInMenu(bool value);
    void setShowShortcutsInMenu(bool value);
    void setHasCompletedOnboarding(bool value);
    void setWindowPreviewsEnabled(bool value);
    void setWindowPreviewsMultipleOnly(bool value);
    void setShowDesktopEnabled(bool value);
    void setGlobalHotkeysEnabled(bool value);
    void setTrayClockEnabled(bool value);
    void setTrayBatteryEnabled(bool value);
    void setTrayInputSourceEnabled(bool value);
    void setTrayVolumeEnabled(bool value);
    void setTrayWifiEnabled(bool value);

signals:
    void barHeightChanged(double value);
    void iconScaleChanged(double value);
    void iconPaddingChanged(double value);
    void positionChanged(BarPosition value);
    void displayModeChanged(DisplayMode value);
    void startButtonLabelChanged(const QString& value);
    void menuButtonPlacementChanged(MenuButtonPlacement value);
    void showFinderInRunningAppsChanged(bool value);
    void launchAtLoginChanged(bool value);
    void themeChanged(AppTheme value);
    void panelTintHexChanged(const QString& value);
    void transparencyEnabledChanged(bool value);
    void panelOpacityChanged(double value);
    void panelBlurRadiusChanged(double value);
    void activeIndicatorChanged(ActiveIndicatorStyle value);
    void showRunningIndicatorsChanged(bool value);
    void highlightStyleChanged(HighlightStyle value);
    void menuWindowStyleChanged(HighlightStyle value);
    void menuHeightModeChanged(MenuHeightMode value);
    void searchFieldPositionChanged(SearchFieldPosition value);
    void menuActionsSideChanged(MenuActionsSide value);
    void showAppLabelsChanged(bool value);
    void pinnedBundleIDsChanged(const QStringList& value);
    void menuShortcutPathsChanged(const QStringList& value);
    void appFoldersChanged(const QList<AppFolder>& value);
    void pinnedShortcutsChanged(const PinnedShortcutMap& value);
    void showRecentInMenuChanged(bool value);
    void showShortcutsInMenuChanged(bool value);
    void hasCompletedOnboardingChanged(bool value);
    void windowPreviewsEnabledChanged(bool value);
    void windowPreviewsMultipleOnlyChanged(bool value);
    void showDesktopEnabledChanged(bool value);
    void globalHotkeysEnabledChanged(bool value);
    void trayClockEnabledChanged(bool value);
    void trayBatteryEnabledChanged(bool value);
    void trayInputSourceEnabledChanged(bool value);
    void trayVolumeEnabledChanged(bool value);
    void trayWifiEnabledChanged(bool value);

private:
    void load();
    MenuButtonPlacement loadMenuButtonPlacement() const;
    template <typename T, typename Signal>
    void assign(T& field, const T& value, Signal changed, const char* key);

    UserDefaults& m_defaults;
    double m_barHeight = 48.0;
    double m_iconScale = 1.0;
    double m_iconPadding = 0.06;
    BarPosition m_position = BarPosition::Bottom;
    DisplayMode m_displayMode = DisplayMode::All;
    QString m_startButtonLabel;
    MenuButtonPlacement m_menuButtonPlacement = MenuButtonPlacement::Start;
    bool m_showFinderInRunningApps = false;
    bool m_launchAtLogin = true;
    AppTheme m_theme = AppTheme::Auto;
    QString m_panelTintHex;
    bool m_transparencyEnabled = true;
    double m_panelOpacity = 1.0;
    double m_panelBlurRadius = 20.0;
    ActiveIndicatorStyle m_activeIndicator = ActiveIndicatorStyle::Underline;
    bool m_showRunningIndicators = true;
    HighlightStyle m_highlightStyle = HighlightStyle::Mac;
    HighlightStyle m_menuWindowStyle = HighlightStyle::Mac;
    MenuHeightMode m_menuHeightMode = MenuHeightMode::Standard;
    SearchFieldPosition m_searchFieldPosition = SearchFieldPosition::Bottom;
    MenuActionsSide m_menuActionsSide = MenuActionsSide::Right;
    bool m_showAppLabels = false;
    QStringList m_pinnedBundleIDs;
    QStringList m_menuShortcutPaths;
    QList<AppFolder> m_appFolders;
    PinnedShortcutMap m_pinnedShortcuts;
    bool m_showRecentInMenu = true;
    bool m_showShortcutsInMenu = true;
    bool m_hasCompletedOnboarding = false;
    bool m_windowPreviewsEnabled = false;
    bool m_windowPreviewsMultipleOnly = true;
    bool m_showDesktopEnabled = false;
    bool m_globalHotkeysEnabled = false;
    bool m_trayClockEnabled = false;
    bool m_trayBatteryEnabled = false;
    bool m_trayInputSourceEnabled = false;
    bool m_trayVolumeEnabled = false;
    bool m_trayWifiEnabled = false;
};
