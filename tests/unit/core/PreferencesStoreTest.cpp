#include "core/models/PreferenceKeys.h"
#include "core/services/PreferencesStore.h"
#include "fakes/FakeUserDefaults.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <functional>

namespace {

namespace K = PreferenceKeys;

TEST(PreferencesStore, EmptyDomainGivesTheDefaults)
{
    FakeUserDefaults defaults;
    const PreferencesStore p(defaults);
    EXPECT_EQ(p.barHeight(), 48.0);
    EXPECT_EQ(p.iconScale(), 1.0);
    EXPECT_EQ(p.iconPadding(), 0.06);
    EXPECT_EQ(p.position(), BarPosition::Bottom);
    EXPECT_EQ(p.displayMode(), DisplayMode::All);
    EXPECT_EQ(p.startButtonLabel(), "");
    EXPECT_EQ(p.menuButtonPlacement(), MenuButtonPlacement::Start);
    EXPECT_TRUE(p.launchAtLogin());
    EXPECT_EQ(p.theme(), AppTheme::Auto);
    EXPECT_EQ(p.panelTintHex(), "");
    EXPECT_TRUE(p.transparencyEnabled());
    EXPECT_EQ(p.panelOpacity(), 1.0);
    EXPECT_EQ(p.panelBlurRadius(), 20.0);
    EXPECT_EQ(p.activeIndicator(), ActiveIndicatorStyle::Underline);
    EXPECT_TRUE(p.showRunningIndicators());
    EXPECT_EQ(p.highlightStyle(), HighlightStyle::Mac);
    EXPECT_EQ(p.menuWindowStyle(), HighlightStyle::Mac);
    EXPECT_EQ(p.menuHeightMode(), MenuHeightMode::Standard);
    EXPECT_EQ(p.searchFieldPosition(), SearchFieldPosition::Bottom);
    EXPECT_EQ(p.menuActionsSide(), MenuActionsSide::Right);
    EXPECT_TRUE(p.pinnedBundleIDs().isEmpty());
    EXPECT_TRUE(p.appFolders().isEmpty());
    EXPECT_TRUE(p.pinnedShortcuts().isEmpty());
    EXPECT_TRUE(p.showRecentInMenu());
    EXPECT_TRUE(p.showShortcutsInMenu());
    EXPECT_TRUE(p.windowPreviewsMultipleOnly());
    for (bool feature : {p.showFinderInRunningApps(), p.showAppLabels(), p.hasCompletedOnboarding(),
                         p.windowPreviewsEnabled(), p.showDesktopEnabled(), p.globalHotkeysEnabled(),
                         p.trayClockEnabled(), p.trayBatteryEnabled(), p.trayInputSourceEnabled(),
                         p.trayVolumeEnabled(), p.trayWifiEnabled()})
        EXPECT_FALSE(feature);
    EXPECT_EQ(defaults.writes, 0) << "loading must not write";
}

QByteArray json(const QJsonValue& value)
{
    return value.isArray() ? QJsonDocument(value.toArray()).toJson() : QJsonDocument(value.toObject()).toJson();
}

const QJsonObject folder{{"id", "F1"}, {"name", "Games"}, {"bundleIDs", QJsonArray{"a", "b"}}, {"isExpanded", true}};

struct LoadCase {
    const char* name;
    QVariantMap stored;
    std::function<bool(const PreferencesStore&)> holds;
};

const LoadCase loadCases[] = {
    {"old start-at-end key migrates", {{K::legacyStartButtonAtEnd, true}},
     [](auto& p) { return p.menuButtonPlacement() == MenuButtonPlacement::AfterTray; }},
    {"old key false", {{K::legacyStartButtonAtEnd, false}},
     [](auto& p) { return p.menuButtonPlacement() == MenuButtonPlacement::Start; }},
    {"new key wins over old", {{K::legacyStartButtonAtEnd, true}, {K::menuButtonPlacement, "beforeTray"}},
     [](auto& p) { return p.menuButtonPlacement() == MenuButtonPlacement::BeforeTray; }},
    {"unknown new text does not fall back to old key",
     {{K::legacyStartButtonAtEnd, true}, {K::menuButtonPlacement, "middle"}},
     [](auto& p) { return p.menuButtonPlacement() == MenuButtonPlacement::Start; }},
    {"new key of another kind reads the old key", {{K::legacyStartButtonAtEnd, true}, {K::menuButtonPlacement, 3}},
     [](auto& p) { return p.menuButtonPlacement() == MenuButtonPlacement::AfterTray; }},
    {"enum text is case-sensitive", {{K::searchFieldPosition, "Top"}},
     [](auto& p) { return p.searchFieldPosition() == SearchFieldPosition::Bottom; }},
    {"unknown position", {{K::position, "center"}}, [](auto& p) { return p.position() == BarPosition::Bottom; }},
    {"known position", {{K::position, "left"}}, [](auto& p) { return p.position() == BarPosition::Left; }},
    {"stored false launch at login", {{K::launchAtLogin, false}}, [](auto& p) { return !p.launchAtLogin(); }},
    {"default-true setting ignores a text", {{K::launchAtLogin, "false"}}, [](auto& p) { return p.launchAtLogin(); }},
    {"default-false setting reads a number", {{K::hasCompletedOnboarding, 1}},
     [](auto& p) { return p.hasCompletedOnboarding(); }},
    {"default-false setting reads YES", {{K::trayClockEnabled, "YES"}}, [](auto& p) { return p.trayClockEnabled(); }},
    {"default-false setting reads other text as false", {{K::trayClockEnabled, "sure"}},
     [](auto& p) { return !p.trayClockEnabled(); }},
    {"real of the wrong kind", {{K::barHeight, "56"}}, [](auto& p) { return p.barHeight() == 48.0; }},
    {"stored zero is a value", {{K::panelOpacity, 0.0}}, [](auto& p) { return p.panelOpacity() == 0.0; }},
    {"whole numbers are reals", {{K::barHeight, 56}}, [](auto& p) { return p.barHeight() == 56.0; }},
    {"Boolean is not a real", {{K::iconScale, true}}, [](auto& p) { return p.iconScale() == 1.0; }},
    {"string list", {{K::pinnedBundleIDs, QVariantList{"org.gnome.Nautilus", "firefox-esr"}}},
     [](auto& p) { return p.pinnedBundleIDs() == QStringList{"org.gnome.Nautilus", "firefox-esr"}; }},
    {"list with a non-string is dropped whole", {{K::pinnedBundleIDs, QVariantList{"xterm", 4}}},
     [](auto& p) { return p.pinnedBundleIDs().isEmpty(); }},
    {"folders", {{K::appFolders, json(QJsonArray{folder})}},
     [](auto& p) {
         return p.appFolders() == QList<AppFolder>{{"F1", "Games", {"a", "b"}, true}};
     }},
    {"folder without isExpanded drops the list",
     {{K::appFolders, json(QJsonArray{folder, QJsonObject{{"id", "F2"}, {"name", "x"}, {"bundleIDs", QJsonArray{}}}})}},
     [](auto& p) { return p.appFolders().isEmpty(); }},
    {"folders stored as text are not data", {{K::appFolders, QString::fromUtf8(json(QJsonArray{folder}))}},
     [](auto& p) { return p.appFolders().isEmpty(); }},
    {"corrupt shortcut data", {{K::pinnedShortcuts, QByteArray("{not json")}},
     [](auto& p) { return p.pinnedShortcuts().isEmpty(); }},
    {"shortcuts", {{K::pinnedShortcuts, json(QJsonObject{{"xterm", QJsonArray{QJsonObject{{"id", "1"}, {"name", "Home"}, {"target", "/root"}}}}})}},
     [](auto& p) { return p.pinnedShortcuts().value("xterm") == QList<PinnedShortcut>{{"1", "Home", "/root"}}; }},
    {"shortcut lacking a target drops the map",
     {{K::pinnedShortcuts, json(QJsonObject{{"xterm", QJsonArray{QJsonObject{{"id", "1"}, {"name", "Home"}}}}})}},
     [](auto& p) { return p.pinnedShortcuts().isEmpty(); }},
};

TEST(PreferencesStore, LoadsEachKindByItsRule)
{
    for (const LoadCase& c : loadCases) {
        SCOPED_TRACE(c.name);
        FakeUserDefaults defaults;
        defaults.values = c.stored;
        EXPECT_TRUE(c.holds(PreferencesStore(defaults)));
    }
}

TEST(PreferencesStore, WritesEachKindInItsStoredForm)
{
    FakeUserDefaults defaults;
    PreferencesStore p(defaults);
    p.setPosition(BarPosition::Left);
    p.setBarHeight(56);
    p.setTrayClockEnabled(true);
    p.setMenuButtonPlacement(MenuButtonPlacement::AfterTray);
    p.setPinnedBundleIDs({"xterm"});
    p.setAppFolders({{"F1", "Games", {"a"}, false}});

    EXPECT_EQ(defaults.values.value(K::position), QVariant("left"));
    EXPECT_EQ(defaults.values.value(K::barHeight).typeId(), QMetaType::Double);
    EXPECT_EQ(defaults.values.value(K::trayClockEnabled), QVariant(true));
    EXPECT_EQ(defaults.values.value(K::menuButtonPlacement), QVariant("afterTray"));
    EXPECT_FALSE(defaults.values.contains(K::legacyStartButtonAtEnd));
    EXPECT_EQ(defaults.values.value(K::pinnedBundleIDs).toStringList(), QStringList{"xterm"});

    const QVariant folders = defaults.values.value(K::appFolders);
    ASSERT_EQ(folders.typeId(), QMetaType::QByteArray);
    const QJsonArray array = QJsonDocument::fromJson(folders.toByteArray()).array();
    ASSERT_EQ(array.size(), 1);
    EXPECT_EQ(array[0].toObject().keys(), (QStringList{"bundleIDs", "id", "isExpanded", "name"}));

    // What was written loads back the same.
    const PreferencesStore reloaded(defaults);
    EXPECT_EQ(reloaded.position(), BarPosition::Left);
    EXPECT_EQ(reloaded.appFolders(), p.appFolders());
}

TEST(PreferencesStore, NotifiesBeforeStoringAndOnEveryAssignment)
{
    FakeUserDefaults defaults;
    PreferencesStore p(defaults);
    QList<std::pair<double, double>> seen; // (handed, read back)
    QObject::connect(&p, &PreferencesStore::barHeightChanged,
                     [&](double handed) { seen.append({handed, p.barHeight()}); });
    p.setBarHeight(56);
    p.setBarHeight(56);
    EXPECT_EQ(seen, (QList<std::pair<double, double>>{{56, 48}, {56, 56}}));
    EXPECT_EQ(defaults.writes, 2);
}

TEST(PreferencesStore, EffectiveValuesFollowTransparency)
{
    FakeUserDefaults defaults;
    defaults.values = {{K::panelOpacity, 0.3}, {K::panelBlurRadius, 12.0}};
    PreferencesStore p(defaults);
    EXPECT_DOUBLE_EQ(p.effectivePanelOpacity(), 0.3);
    EXPECT_DOUBLE_EQ(p.effectivePanelBlurRadius(), 12.0);
    p.setTransparencyEnabled(false);
    EXPECT_DOUBLE_EQ(p.effectivePanelOpacity(), 1.0);
    EXPECT_DOUBLE_EQ(p.effectivePanelBlurRadius(), 0.0);
}

} // namespace

namespace {

TEST(PreferencesStore, AssignsAStoredFormByTheLoadingRules)
{
    FakeUserDefaults defaults;
    PreferencesStore p(defaults);
    QList<BarPosition> published;
    QObject::connect(&p, &PreferencesStore::positionChanged, [&](BarPosition v) { published.append(v); });

    EXPECT_TRUE(p.assignStored(K::position, "right"));
    EXPECT_EQ(p.position(), BarPosition::Right);
    EXPECT_EQ(published, QList<BarPosition>{BarPosition::Right});
    EXPECT_EQ(defaults.values.value(K::position), QVariant("right"));

    EXPECT_TRUE(p.assignStored(K::barHeight, "tall"));
    EXPECT_EQ(p.barHeight(), 48.0);
    EXPECT_TRUE(p.assignStored(K::pinnedBundleIDs, QStringList{"xterm"}));
    EXPECT_EQ(p.pinnedBundleIDs(), QStringList{"xterm"});
    EXPECT_TRUE(p.assignStored(K::windowPreviewsEnabled, true));
    EXPECT_TRUE(p.windowPreviewsEnabled());

    EXPECT_FALSE(p.assignStored("pellux.noSuchSetting", true));
    EXPECT_FALSE(defaults.values.contains("pellux.noSuchSetting"));
}

} // namespace
