#include "PreferencesStore.h"

#include "core/models/PreferenceKeys.h"
#include "core/ports/UserDefaults.h"
#include "core/services/InMemoryUserDefaults.h"

#include <QMetaProperty>

#include <type_traits>

namespace K = PreferenceKeys;

namespace {

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// How a Boolean reads when it was stored as a number or a text.
bool looseBool(const QVariant& value)
{
    if (isNumber(value))
        return value.toDouble() != 0.0;
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toLower();
        return text == u"yes" || text == u"true" || (!text.isEmpty() && text[0] >= u'1' && text[0] <= u'9');
    }
    return false;
}

QVariant encode(double value) { return value; }
QVariant encode(bool value) { return value; }
QVariant encode(const QString& value) { return value; }
QVariant encode(const QStringList& value) { return value; }
QVariant encode(const QList<AppFolder>& value) { return AppFolder::encodeList(value); }
QVariant encode(const PinnedShortcutMap& value) { return PinnedShortcuts::encode(value); }
template <typename E>
    requires std::is_enum_v<E>
QVariant encode(E value)
{
    return SettingEnum::rawValue(value);
}

class Reader {
public:
    explicit Reader(const UserDefaults& defaults) : m_defaults(defaults) {}

    double real(const char* key, double fallback) const
    {
        const QVariant v = value(key);
        return isNumber(v) ? v.toDouble() : fallback;
    }

    // Settings that default to true take only a stored Boolean; the others read the way a
    // defaults domain reads a Boolean, where anything unrecognised is false.
    bool boolean(const char* key, bool fallback) const
    {
        const QVariant v = value(key);
        if (v.typeId() == QMetaType::Bool)
            return v.toBool();
        return fallback || looseBool(v);
    }

    QString text(const char* key) const
    {
        const QVariant v = value(key);
        return v.typeId() == QMetaType::QString ? v.toString() : QString();
    }

    template <typename E>
    E enumeration(const char* key) const
    {
        return SettingEnum::fromRawValue<E>(text(key));
    }

    QStringList stringList(const char* key) const
    {
        const QVariant v = value(key);
        if (v.typeId() == QMetaType::QStringList)
            return v.toStringList();
        if (v.typeId() != QMetaType::QVariantList)
            return {};
        QStringList result;
        for (const QVariant& item : v.toList()) {
            if (item.typeId() != QMetaType::QString)
                return {};
            result.append(item.toString());
        }
        return result;
    }

    QByteArray data(const char* key) const
    {
        const QVariant v = value(key);
        return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
    }

    QVariant value(const char* key) const { return m_defaults.value(QLatin1String(key)); }

private:
    const UserDefaults& m_defaults;
};

} // namespace

PreferencesStore::PreferencesStore(UserDefaults& defaults, QObject* parent) : QObject(parent), m_defaults(defaults)
{
    load();
}

void PreferencesStore::load()
{
    const Reader r(m_defaults);
    m_barHeight = r.real(K::barHeight, 48.0);
    m_iconScale = r.real(K::iconScale, 1.0);
    m_iconPadding = r.real(K::iconPadding, 0.06);
    m_position = r.enumeration<BarPosition>(K::position);
    m_displayMode = r.enumeration<DisplayMode>(K::displayMode);
    m_startButtonLabel = r.text(K::startButtonLabel);
    m_menuButtonPlacement = loadMenuButtonPlacement();
    m_showFinderInRunningApps = r.boolean(K::showFinderInRunningApps, false);
    m_launchAtLogin = r.boolean(K::launchAtLogin, true);
    m_theme = r.enumeration<AppTheme>(K::theme);
    m_panelTintHex = r.text(K::panelTintHex);
    m_transparencyEnabled = r.boolean(K::transparencyEnabled, true);
    m_panelOpacity = r.real(K::panelOpacity, 1.0);
    m_panelBlurRadius = r.real(K::panelBlurRadius, 20.0);
    m_activeIndicator = r.enumeration<ActiveIndicatorStyle>(K::activeIndicator);
    m_showRunningIndicators = r.boolean(K::showRunningIndicators, true);
    m_highlightStyle = r.enumeration<HighlightStyle>(K::highlightStyle);
    m_menuWindowStyle = r.enumeration<HighlightStyle>(K::menuWindowStyle);
    m_menuHeightMode = r.enumeration<MenuHeightMode>(K::menuHeightMode);
    m_searchFieldPosition = r.enumeration<SearchFieldPosition>(K::searchFieldPosition);
    m_menuActionsSide = r.enumeration<MenuActionsSide>(K::menuActionsSide);
    m_showAppLabels = r.boolean(K::showAppLabels, false);
    m_pinnedBundleIDs = r.stringList(K::pinnedBundleIDs);
    m_menuShortcutPaths = r.stringList(K::menuShortcutPaths);
    m_appFolders = AppFolder::decodeList(r.data(K::appFolders)).value_or(QList<AppFolder>());
    m_pinnedShortcuts = PinnedShortcuts::decode(r.data(K::pinnedShortcuts)).value_or(PinnedShortcutMap());
    m_showRecentInMenu = r.boolean(K::showRecentInMenu, true);
    m_showShortcutsInMenu = r.boolean(K::showShortcutsInMenu, true);
    m_hasCompletedOnboarding = r.boolean(K::hasCompletedOnboarding, false);
    m_windowPreviewsEnabled = r.boolean(K::windowPreviewsEnabled, false);
    m_windowPreviewsMultipleOnly = r.boolean(K::windowPreviewsMultipleOnly, true);
    m_showDesktopEnabled = r.boolean(K::showDesktopEnabled, false);
    m_globalHotkeysEnabled = r.boolean(K::globalHotkeysEnabled, false);
    m_trayClockEnabled = r.boolean(K::trayClockEnabled, false);
    m_trayBatteryEnabled = r.boolean(K::trayBatteryEnabled, false);
    m_trayInputSourceEnabled = r.boolean(K::trayInputSourceEnabled, false);
    m_trayVolumeEnabled = r.boolean(K::trayVolumeEnabled, false);
    m_trayWifiEnabled = r.boolean(K::trayWifiEnabled, false);
}

// Older versions kept only a Boolean for "Start button at the far end"; it is read, never written.
MenuButtonPlacement PreferencesStore::loadMenuButtonPlacement() const
{
    const Reader r(m_defaults);
    if (r.value(K::menuButtonPlacement).typeId() == QMetaType::QString)
        return r.enumeration<MenuButtonPlacement>(K::menuButtonPlacement);
    const QVariant legacy = r.value(K::legacyStartButtonAtEnd);
    return legacy.typeId() == QMetaType::Bool && legacy.toBool() ? MenuButtonPlacement::AfterTray
                                                                  : MenuButtonPlacement::Start;
}

bool PreferencesStore::assignStored(const QString& key, const QVariant& stored)
{
    for (const auto& [storedKey, property] : K::properties) {
        if (key != QLatin1String(storedKey))
            continue;
        InMemoryUserDefaults single({{key, stored}});
        const PreferencesStore parsed(single);
        const QMetaProperty meta = metaObject()->property(metaObject()->indexOfProperty(property));
        return meta.write(this, meta.read(&parsed));
    }
    return false;
}

template <typename T, typename Signal>
void PreferencesStore::assign(T& field, const T& value, Signal changed, const char* key)
{
    emit(this->*changed)(value);
    field = value;
    m_defaults.setValue(QLatin1String(key), encode(value));
}

// clang-format off
void PreferencesStore::setBarHeight(double v) { assign(m_barHeight, v, &PreferencesStore::barHeightChanged, K::barHeight); }
void PreferencesStore::setIconScale(double v) { assign(m_iconScale, v, &PreferencesStore::iconScaleChanged, K::iconScale); }
void PreferencesStore::setIconPadding(double v) { assign(m_iconPadding, v, &PreferencesStore::iconPaddingChanged, K::iconPadding); }
void PreferencesStore::setPosition(BarPosition v) { assign(m_position, v, &PreferencesStore::positionChanged, K::position); }
void PreferencesStore::setDisplayMode(DisplayMode v) { assign(m_displayMode, v, &PreferencesStore::displayModeChanged, K::displayMode); }
void PreferencesStore::setStartButtonLabel(const QString& v) { assign(m_startButtonLabel, v, &PreferencesStore::startButtonLabelChanged, K::startButtonLabel); }
void PreferencesStore::setMenuButtonPlacement(MenuButtonPlacement v) { assign(m_menuButtonPlacement, v, &PreferencesStore::menuButtonPlacementChanged, K::menuButtonPlacement); }
void PreferencesStore::setShowFinderInRunningApps(bool v) { assign(m_showFinderInRunningApps, v, &PreferencesStore::showFinderInRunningAppsChanged, K::showFinderInRunningApps); }
void PreferencesStore::setLaunchAtLogin(bool v) { assign(m_launchAtLogin, v, &PreferencesStore::launchAtLoginChanged, K::launchAtLogin); }
void PreferencesStore::setTheme(AppTheme v) { assign(m_theme, v, &PreferencesStore::themeChanged, K::theme); }
void PreferencesStore::setPanelTintHex(const QString& v) { assign(m_panelTintHex, v, &PreferencesStore::panelTintHexChanged, K::panelTintHex); }
void PreferencesStore::setTransparencyEnabled(bool v) { assign(m_transparencyEnabled, v, &PreferencesStore::transparencyEnabledChanged, K::transparencyEnabled); }
void PreferencesStore::setPanelOpacity(double v) { assign(m_panelOpacity, v, &PreferencesStore::panelOpacityChanged, K::panelOpacity); }
void PreferencesStore::setPanelBlurRadius(double v) { assign(m_panelBlurRadius, v, &PreferencesStore::panelBlurRadiusChanged, K::panelBlurRadius); }
void PreferencesStore::setActiveIndicator(ActiveIndicatorStyle v) { assign(m_activeIndicator, v, &PreferencesStore::activeIndicatorChanged, K::activeIndicator); }
void PreferencesStore::setShowRunningIndicators(bool v) { assign(m_showRunningIndicators, v, &PreferencesStore::showRunningIndicatorsChanged, K::showRunningIndicators); }
void PreferencesStore::setHighlightStyle(HighlightStyle v) { assign(m_highlightStyle, v, &PreferencesStore::highlightStyleChanged, K::highlightStyle); }
void PreferencesStore::setMenuWindowStyle(HighlightStyle v) { assign(m_menuWindowStyle, v, &PreferencesStore::menuWindowStyleChanged, K::menuWindowStyle); }
void PreferencesStore::setMenuHeightMode(MenuHeightMode v) { assign(m_menuHeightMode, v, &PreferencesStore::menuHeightModeChanged, K::menuHeightMode); }
void PreferencesStore::setSearchFieldPosition(SearchFieldPosition v) { assign(m_searchFieldPosition, v, &PreferencesStore::searchFieldPositionChanged, K::searchFieldPosition); }
void PreferencesStore::setMenuActionsSide(MenuActionsSide v) { assign(m_menuActionsSide, v, &PreferencesStore::menuActionsSideChanged, K::menuActionsSide); }
void PreferencesStore::setShowAppLabels(bool v) { assign(m_showAppLabels, v, &PreferencesStore::showAppLabelsChanged, K::showAppLabels); }
void PreferencesStore::setPinnedBundleIDs(const QStringList& v) { assign(m_pinnedBundleIDs, v, &PreferencesStore::pinnedBundleIDsChanged, K::pinnedBundleIDs); }
void PreferencesStore::setMenuShortcutPaths(const QStringList& v) { assign(m_menuShortcutPaths, v, &PreferencesStore::menuShortcutPathsChanged, K::menuShortcutPaths); }
void PreferencesStore::setAppFolders(const QList<AppFolder>& v) { assign(m_appFolders, v, &PreferencesStore::appFoldersChanged, K::appFolders); }
void PreferencesStore::setPinnedShortcuts(const PinnedShortcutMap& v) { assign(m_pinnedShortcuts, v, &PreferencesStore::pinnedShortcutsChanged, K::pinnedShortcuts); }
void PreferencesStore::setShowRecentInMenu(bool v) { assign(m_showRecentInMenu, v, &PreferencesStore::showRecentInMenuChanged, K::showRecentInMenu); }
void PreferencesStore::setShowShortcutsInMenu(bool v) { assign(m_showShortcutsInMenu, v, &PreferencesStore::showShortcutsInMenuChanged, K::showShortcutsInMenu); }
void PreferencesStore::setHasCompletedOnboarding(bool v) { assign(m_hasCompletedOnboarding, v, &PreferencesStore::hasCompletedOnboardingChanged, K::hasCompletedOnboarding); }
void PreferencesStore::setWindowPreviewsEnabled(bool v) { assign(m_windowPreviewsEnabled, v, &PreferencesStore::windowPreviewsEnabledChanged, K::windowPreviewsEnabled); }
void PreferencesStore::setWindowPreviewsMultipleOnly(bool v) { assign(m_windowPreviewsMultipleOnly, v, &PreferencesStore::windowPreviewsMultipleOnlyChanged, K::windowPreviewsMultipleOnly); }
void PreferencesStore::setShowDesktopEnabled(bool v) { assign(m_showDesktopEnabled, v, &PreferencesStore::showDesktopEnabledChanged, K::showDesktopEnabled); }
void PreferencesStore::setGlobalHotkeysEnabled(bool v) { assign(m_globalHotkeysEnabled, v, &PreferencesStore::globalHotkeysEnabledChanged, K::globalHotkeysEnabled); }
void PreferencesStore::setTrayClockEnabled(bool v) { assign(m_trayClockEnabled, v, &PreferencesStore::trayClockEnabledChanged, K::trayClockEnabled); }
void PreferencesStore::setTrayBatteryEnabled(bool v) { assign(m_trayBatteryEnabled, v, &PreferencesStore::trayBatteryEnabledChanged, K::trayBatteryEnabled); }
void PreferencesStore::setTrayInputSourceEnabled(bool v) { assign(m_trayInputSourceEnabled, v, &PreferencesStore::trayInputSourceEnabledChanged, K::trayInputSourceEnabled); }
void PreferencesStore::setTrayVolumeEnabled(bool v) { assign(m_trayVolumeEnabled, v, &PreferencesStore::trayVolumeEnabledChanged, K::trayVolumeEnabled); }
void PreferencesStore::setTrayWifiEnabled(bool v) { assign(m_trayWifiEnabled, v, &PreferencesStore::trayWifiEnabledChanged, K::trayWifiEnabled); }
// clang-format on
