#include "core/features/taskbar/TaskbarViewModel.h"
#include "core/features/taskbar/LayoutCalculator.h"
#include "core/services/AppDiscoveryService.h"
#include "core/services/DockBadgeService.h"
#include "core/services/PreferencesStore.h"
#include "core/services/RunningAppsService.h"
#include "fakes/FakeAppLauncher.h"
#include "fakes/FakeApplicationSource.h"
#include "fakes/FakeKeystrokeSender.h"
#include "fakes/FakeLauncherEntrySource.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeUserDefaults.h"
#include "fakes/FakeWindowActivating.h"
#include "fakes/FakeWindowSystem.h"
#include "support/LayoutDescription.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

// "B 'Beta' /apps/B.desktop PRA pid=42 badge=3", with "-" for what is absent: readable in a table
// and in a failure message.
QString describe(const TaskbarItem& item)
{
    const QString flags = QString(item.isPinned ? "P" : "") + (item.isRunning ? "R" : "") + (item.isActive ? "A" : "");
    return QStringLiteral("%1 '%2' %3 %4 pid=%5 badge=%6")
        .arg(item.bundleID, item.name, item.url.value_or("-"), flags.isEmpty() ? "-" : flags,
            item.processIdentifier ? QString::number(*item.processIdentifier) : "-", item.badge.value_or("-"));
}

std::vector<std::string> strings(const QStringList& list)
{
    std::vector<std::string> result;
    for (const QString& text : list)
        result.push_back(text.toStdString());
    return result;
}

std::vector<std::string> describe(const QList<TaskbarItem>& items)
{
    QStringList lines;
    for (const TaskbarItem& item : items)
        lines.append(describe(item));
    return strings(lines);
}

InstalledApp installedApp(const QString& id, const QString& name, const QString& url)
{
    return { id, name, url, {}, {}, {}, {}, {} };
}

// ---- makeItems -------------------------------------------------------------------------------

struct MergeCase {
    const char* name;
    QStringList pinned;
    QList<InstalledApp> installed;
    QList<RunningApp> running;
    QMap<QString, QString> badges;
    QSet<QString> hiddenUnlessPinned;
    QStringList items;
};

const QList<InstalledApp> abc { installedApp("A", "Alpha", "/apps/A.desktop"),
    installedApp("B", "Beta", "/apps/B.desktop"), installedApp("C", "Gamma", "/apps/C.desktop") };
const RunningApp runningB { "B", "beta-bin", 42, false };
const RunningApp runningC { "C", "gamma-bin", 43, true };
const RunningApp runningFiles { "files", "Files", 50, false };

const MergeCase mergeCases[] = {
    { "nothing pinned or running", {}, abc, {}, {}, {}, {} },
    { "pinned in pinned order, then the other running apps", { "A", "B" }, abc, { runningB, runningC }, {}, {},
        { "A 'Alpha' /apps/A.desktop P pid=- badge=-", "B 'Beta' /apps/B.desktop PR pid=42 badge=-",
            "C 'Gamma' /apps/C.desktop RA pid=43 badge=-" } },
    { "running order is kept after the pinned ones", { "B" }, abc,
        { runningC, runningB, { "A", "alpha-bin", 41, false } }, {}, {},
        { "B 'Beta' /apps/B.desktop PR pid=42 badge=-", "C 'Gamma' /apps/C.desktop RA pid=43 badge=-",
            "A 'Alpha' /apps/A.desktop R pid=41 badge=-" } },
    { "an id pinned twice is listed once, in its first place", { "B", "A", "B" }, abc, {}, {}, {},
        { "B 'Beta' /apps/B.desktop P pid=- badge=-", "A 'Alpha' /apps/A.desktop P pid=- badge=-" } },
    { "two processes of one application: one item with the first process", {}, abc,
        { runningB, { "B", "beta-bin", 44, true } }, {}, {}, { "B 'Beta' /apps/B.desktop R pid=42 badge=-" } },
    { "an id installed twice takes its first entry", { "A" },
        { installedApp("A", "Alpha", "/home/u/apps/A.desktop"), installedApp("A", "System Alpha", "/apps/A.desktop") },
        {}, {}, {}, { "A 'Alpha' /home/u/apps/A.desktop P pid=- badge=-" } },
    { "the file manager running but not pinned is hidden", { "A" }, abc, { runningFiles }, {}, { "files" },
        { "A 'Alpha' /apps/A.desktop P pid=- badge=-" } },
    { "the file manager pinned is always listed", { "files" }, abc, { runningFiles }, {}, { "files" },
        { "files 'Files' - PR pid=50 badge=-" } },
    { "the file manager is listed when nothing is hidden", {}, abc, { runningFiles }, {}, {},
        { "files 'Files' - R pid=50 badge=-" } },
    { "the installed name wins over the running one", {}, abc, { runningB }, {}, {},
        { "B 'Beta' /apps/B.desktop R pid=42 badge=-" } },
    { "a running app that is not installed is named as it runs, without a desktop file", {}, abc,
        { { "wmclass:Xeyes", "Xeyes", 60, false } }, {}, {}, { "wmclass:Xeyes 'Xeyes' - R pid=60 badge=-" } },
    { "pinned, neither installed nor running: named by its id", { "org.gone.App" }, abc, {}, {}, {},
        { "org.gone.App 'org.gone.App' - P pid=- badge=-" } },
    { "an installed entry without a name falls back to the running name", { "A" },
        { installedApp("A", "", "/apps/A.desktop") }, { { "A", "alpha-bin", 41, false } }, {}, {},
        { "A 'alpha-bin' /apps/A.desktop PR pid=41 badge=-" } },
    { "an empty pinned id is skipped", { "", "A" }, abc, {}, {}, {}, { "A 'Alpha' /apps/A.desktop P pid=- badge=-" } },
    { "an unknown process is running without a process identifier", {}, abc, { { "C", "gamma-bin", 0, false } }, {}, {},
        { "C 'Gamma' /apps/C.desktop R pid=- badge=-" } },
    { "badges by bundle id, pinned or running; an empty text is no badge", { "A" }, abc, { runningB, runningC },
        { { "A", "1" }, { "B", "12" }, { "C", "" }, { "Z", "9" } }, {},
        { "A 'Alpha' /apps/A.desktop P pid=- badge=1", "B 'Beta' /apps/B.desktop R pid=42 badge=12",
            "C 'Gamma' /apps/C.desktop RA pid=43 badge=-" } },
};

TEST(TaskbarViewModelMakeItems, MergesPinnedInstalledRunningAndBadges)
{
    for (const MergeCase& c : mergeCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(
            describe(TaskbarViewModel::makeItems(c.pinned, c.installed, c.running, c.badges, c.hiddenUnlessPinned)),
            strings(c.items));
    }
}

// ---- the model over real services --------------------------------------------------------------

const QString editorFile = QStringLiteral("/apps/editor.desktop");
const QString browserFile = QStringLiteral("/apps/browser.desktop");
const QString filesFile = QStringLiteral("/apps/files.desktop");

ClientWindow window(quint32 id, const QString& app, qint32 pid)
{
    ClientWindow w;
    w.id = WindowId { id };
    w.pid = pid;
    w.wmInstance = app;
    w.wmClass = app;
    w.viewable = true;
    w.frame = QRect(10, 10, 400, 300);
    return w;
}

class TaskbarViewModelTest : public ::testing::Test {
protected:
    TaskbarViewModelTest()
        : source(std::make_shared<FakeApplicationSource>())
        , discovery(source)
        , running(windows, processes, 1)
        , badgeService(badgeSource)
    {
        QObject::connect(
            &discovery, &AppDiscoveryService::appsChanged, &running, &RunningAppsService::setInstalledApps);
        running.start();
        badgeService.start();
        install({ installedApp("editor", "Editor", editorFile), installedApp("browser", "Browser", browserFile),
            installedApp("files", "Files", filesFile) });
        model = std::make_unique<TaskbarViewModel>(TaskbarViewModel::Services { discovery, running, badgeService,
                                                       preferences, calculator, activator, launcher, keystrokes },
            QStringLiteral("files"));
    }

    void install(const QList<InstalledApp>& apps)
    {
        source->apps = apps;
        QSignalSpy scanned(&discovery, &AppDiscoveryService::appsChanged);
        discovery.rescan();
        ASSERT_TRUE(scanned.wait(5000));
    }

    // A window of `app` that the window manager makes active when `active`.
    void openWindow(quint32 id, const QString& app, bool active)
    {
        windows.add(window(id, app, qint32(100 + id)));
        if (active)
            windows.activate(WindowId { id });
    }

    void closeAllWindows()
    {
        for (const WindowId id : windows.clientWindows())
            windows.remove(id);
        windows.activate(WindowId {});
    }

    QStringList itemIDs() const
    {
        QStringList ids;
        for (const TaskbarItem& item : model->items())
            ids.append(item.bundleID);
        return ids;
    }

    static TaskbarItem item(const QString& bundleID, std::optional<QString> url)
    {
        TaskbarItem item;
        item.bundleID = bundleID;
        item.name = bundleID;
        item.url = std::move(url);
        return item;
    }

    FakeUserDefaults defaults;
    PreferencesStore preferences { defaults };
    std::shared_ptr<FakeApplicationSource> source;
    AppDiscoveryService discovery;
    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService running;
    FakeLauncherEntrySource badgeSource;
    DockBadgeService badgeService;
    LayoutCalculator calculator;
    FakeWindowActivating activator;
    FakeAppLauncher launcher;
    FakeKeystrokeSender keystrokes;
    std::unique_ptr<TaskbarViewModel> model;
};

TEST_F(TaskbarViewModelTest, RebuildsItemsWheneverAnInputChanges)
{
    struct Step {
        const char* name;
        std::function<void()> change;
        QStringList items;
    };
    const QList<Step> steps {
        { "nothing pinned or running", [] {}, {} },
        // The store announces before it stores: only the handed list holds the new pin.
        { "pinning", [&] { preferences.setPinnedBundleIDs({ "editor" }); },
            { "editor 'Editor' /apps/editor.desktop P pid=- badge=-" } },
        { "an application starts", [&] { openWindow(1, "browser", true); },
            { "editor 'Editor' /apps/editor.desktop P pid=- badge=-",
                "browser 'Browser' /apps/browser.desktop RA pid=101 badge=-" } },
        { "a badge arrives",
            [&] {
                badgeSource.send(
                    ":1.5", "application://editor.desktop", { { "count", qint64(3) }, { "count-visible", true } });
            },
            { "editor 'Editor' /apps/editor.desktop P pid=- badge=3",
                "browser 'Browser' /apps/browser.desktop RA pid=101 badge=-" } },
        { "the file manager opens, hidden", [&] { openWindow(2, "files", false); },
            { "editor 'Editor' /apps/editor.desktop P pid=- badge=3",
                "browser 'Browser' /apps/browser.desktop RA pid=101 badge=-" } },
        // Again the new flag is only in the announcement.
        { "the file manager is asked for", [&] { preferences.setShowFinderInRunningApps(true); },
            { "editor 'Editor' /apps/editor.desktop P pid=- badge=3",
                "browser 'Browser' /apps/browser.desktop RA pid=101 badge=-",
                "files 'Files' /apps/files.desktop R pid=102 badge=-" } },
        { "the pinned application starts", [&] { openWindow(3, "editor", true); },
            { "editor 'Editor' /apps/editor.desktop PRA pid=103 badge=3",
                "browser 'Browser' /apps/browser.desktop R pid=101 badge=-",
                "files 'Files' /apps/files.desktop R pid=102 badge=-" } },
        { "the installed entry is renamed",
            [&] {
                install({ installedApp("editor", "Text Editor", editorFile),
                    installedApp("browser", "Browser", browserFile), installedApp("files", "Files", filesFile) });
            },
            { "editor 'Text Editor' /apps/editor.desktop PRA pid=103 badge=3",
                "browser 'Browser' /apps/browser.desktop R pid=101 badge=-",
                "files 'Files' /apps/files.desktop R pid=102 badge=-" } },
        { "the file manager is hidden again", [&] { preferences.setShowFinderInRunningApps(false); },
            { "editor 'Text Editor' /apps/editor.desktop PRA pid=103 badge=3",
                "browser 'Browser' /apps/browser.desktop R pid=101 badge=-" } },
        { "unpinning a running application keeps it, after the pinned ones",
            [&] { preferences.setPinnedBundleIDs({ "browser" }); },
            { "browser 'Browser' /apps/browser.desktop PR pid=101 badge=-",
                "editor 'Text Editor' /apps/editor.desktop RA pid=103 badge=3" } },
        { "an application quits", [&] { windows.remove(WindowId { 1 }); },
            { "browser 'Browser' /apps/browser.desktop P pid=- badge=-",
                "editor 'Text Editor' /apps/editor.desktop RA pid=103 badge=3" } },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(describe(model->items()), strings(step.items));
    }
}

TEST_F(TaskbarViewModelTest, AnnouncesItemsOnlyWhenTheyChangeAndTheLayoutEveryTime)
{
    preferences.setPinnedBundleIDs({ "editor" });
    QSignalSpy items(model.get(), &TaskbarViewModel::itemsChanged);
    QSignalSpy layouts(model.get(), &TaskbarViewModel::layoutChanged);

    badgeSource.send(":1.5", "application://elsewhere.desktop", { { "count", qint64(3) }, { "count-visible", true } });
    preferences.setBarHeight(preferences.barHeight());
    EXPECT_EQ(items.count(), 0);
    EXPECT_EQ(layouts.count(), 2);

    preferences.setPinnedBundleIDs({ "editor", "browser" });
    ASSERT_EQ(items.count(), 1);
    EXPECT_EQ(describe(items.last().first().value<QList<TaskbarItem>>()), describe(model->items()));
}

TEST_F(TaskbarViewModelTest, LaysOutTheItemsInTheLengthTheViewReports)
{
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten.append(QStringLiteral("app%1").arg(i));
    preferences.setPinnedBundleIDs(ten);
    // Before the view reports a length, one item stays on the bar.
    EXPECT_EQ(describe(model->layout()), "(32, 1, 9)");

    struct Step {
        const char* name;
        std::function<void()> change;
        const char* layout;
        int visible;
    };
    const QList<Step> steps {
        { "all fit", [&] { model->setAvailableWidth(500); }, "(40, 10, 0)", 10 },
        { "shrink", [&] { model->setAvailableWidth(380); }, "(34, 10, 0)", 10 },
        { "overflow", [&] { model->setAvailableWidth(300); }, "(32, 7, 3)", 7 },
        // The store announces before it stores: the reaction must use the handed values.
        { "a thinner bar",
            [&] {
                model->setAvailableWidth(500);
                preferences.setBarHeight(40);
            },
            "(38, 10, 0)", 10 },
        { "a smaller scale", [&] { preferences.setIconScale(0.5); }, "(20, 10, 0)", 10 },
        { "a larger scale overflows sooner",
            [&] {
                preferences.setBarHeight(80);
                preferences.setIconScale(1.5);
            },
            "(48, 9, 1)", 9 },
        { "one fewer fits again", [&] { preferences.setPinnedBundleIDs(ten.mid(1)); }, "(52, 9, 0)", 9 },
        { "an undefined length counts as none",
            [&] { model->setAvailableWidth(std::numeric_limits<double>::quiet_NaN()); }, "(48, 1, 8)", 1 },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        EXPECT_EQ(describe(model->layout()), step.layout);
        const QList<TaskbarItem> visible = model->visibleItems();
        const QList<TaskbarItem> overflow = model->overflowItems();
        EXPECT_EQ(visible.size(), step.visible);
        EXPECT_EQ(visible + overflow, model->items());
    }
    EXPECT_EQ(model->availableWidth(), 0);
}

TEST_F(TaskbarViewModelTest, AnUnchangedLengthDoesNotLayOutAgain)
{
    model->setAvailableWidth(300);
    QSignalSpy layouts(model.get(), &TaskbarViewModel::layoutChanged);
    QSignalSpy widths(model.get(), &TaskbarViewModel::availableWidthChanged);
    model->setAvailableWidth(300);
    model->setAvailableWidth(-20);
    model->setAvailableWidth(0);
    EXPECT_EQ(widths.count(), 1);
    EXPECT_EQ(layouts.count(), 1);
    EXPECT_EQ(model->availableWidth(), 0);
}

TEST_F(TaskbarViewModelTest, PinsUnpinsAndReordersThePinnedList)
{
    struct Case {
        const char* name;
        QStringList before;
        std::function<void(TaskbarViewModel&)> action;
        QStringList after;
        bool written;
    };
    const QList<Case> cases {
        { "pin appends", { "A", "B" }, [](auto& m) { m.pin("C"); }, { "A", "B", "C" }, true },
        { "pin of a pinned id changes nothing", { "A", "B" }, [](auto& m) { m.pin("A"); }, { "A", "B" }, false },
        { "pin of no id changes nothing", { "A" }, [](auto& m) { m.pin(""); }, { "A" }, false },
        { "unpin removes every occurrence", { "A", "B", "A" }, [](auto& m) { m.unpin("A"); }, { "B" }, true },
        { "unpin of an unpinned id still assigns", { "A", "B" }, [](auto& m) { m.unpin("C"); }, { "A", "B" }, true },
        { "move to the front", { "A", "B", "C" }, [](auto& m) { m.reorderPinned("C", "A"); }, { "C", "A", "B" }, true },
        { "move forward", { "A", "B", "C" }, [](auto& m) { m.reorderPinned("A", "C"); }, { "B", "A", "C" }, true },
        { "move before itself changes nothing", { "A", "B" }, [](auto& m) { m.reorderPinned("A", "A"); }, { "A", "B" },
            false },
        { "move of an unpinned id changes nothing", { "A", "B" }, [](auto& m) { m.reorderPinned("X", "A"); },
            { "A", "B" }, false },
        { "move before an unpinned id changes nothing", { "A", "B" }, [](auto& m) { m.reorderPinned("A", "X"); },
            { "A", "B" }, false },
        { "move gathers every occurrence before the first target", { "A", "B", "A", "C", "B" },
            [](auto& m) { m.reorderPinned("A", "B"); }, { "A", "B", "C", "B" }, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        preferences.setPinnedBundleIDs(c.before);
        const int writes = defaults.writes;
        c.action(*model);
        EXPECT_EQ(strings(preferences.pinnedBundleIDs()), strings(c.after));
        EXPECT_EQ(defaults.writes > writes, c.written);
    }
    // The items follow the list.
    preferences.setPinnedBundleIDs({ "editor", "browser" });
    model->reorderPinned("browser", "editor");
    EXPECT_EQ(strings(itemIDs()), strings(QStringList { "browser", "editor" }));
}

TEST_F(TaskbarViewModelTest, ClickMinimizesActivatesOrLaunches)
{
    struct Case {
        const char* name;
        bool windowOpen;
        bool windowActive;
        bool onScreen;
        std::optional<QString> url;
        QStringList activator;
        QStringList launcher;
    };
    const QList<Case> cases {
        { "active with a window on screen: minimize", true, true, true, editorFile, { "minimize:editor" }, {} },
        { "active without a window on screen: activate", true, true, false, editorFile, { "activate:editor" }, {} },
        { "running but not active: activate", true, false, true, editorFile, { "activate:editor" }, {} },
        { "running without a desktop file: activate", true, false, true, std::nullopt, { "activate:editor" }, {} },
        { "not running: launch", false, false, false, editorFile, {}, { "launch:/apps/editor.desktop" } },
        { "not running, nothing to launch: nothing", false, false, false, std::nullopt, {}, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        closeAllWindows();
        if (c.windowOpen)
            openWindow(1, "editor", c.windowActive);
        activator.requests.clear();
        activator.onScreen = c.onScreen ? QSet<QString> { "editor" } : QSet<QString> {};
        launcher.requests.clear();
        // The item's own flags may be stale: what runs now decides.
        TaskbarItem clicked = item("editor", c.url);
        clicked.isRunning = !c.windowOpen;
        model->open(clicked);
        EXPECT_EQ(strings(activator.requests), strings(c.activator));
        EXPECT_EQ(strings(launcher.requests), strings(c.launcher));
    }
}

TEST_F(TaskbarViewModelTest, ASecondClickBringsBackWhatTheFirstMinimized)
{
    preferences.setPinnedBundleIDs({ "editor" });
    openWindow(1, "editor", true);
    activator.onScreen = { "editor" };
    model->open(model->items().first());

    ClientWindow minimized = window(1, "editor", 101);
    minimized.minimized = true;
    windows.update(minimized);
    activator.onScreen.clear();
    model->open(model->items().first());
    EXPECT_EQ(strings(activator.requests), strings(QStringList { "minimize:editor", "activate:editor" }));
}

TEST_F(TaskbarViewModelTest, NewWindowUsesTheEntrysActionOrTypesCtrlNOnceTheAppIsActive)
{
    struct Case {
        const char* name;
        bool running;
        bool hasAction;
        bool becomesActive;
        QStringList activator;
        QStringList launcher;
        int keystrokes;
    };
    const QList<Case> cases {
        { "the entry's new-window action", true, true, true, {}, { "newWindow:/apps/editor.desktop" }, 0 },
        { "no action: activate, then Ctrl+N", true, false, true, { "activate:editor" }, {}, 1 },
        { "no action, never active: no keystroke", true, false, false, { "activate:editor" }, {}, 0 },
        { "not running: launch", false, true, true, {}, { "launch:/apps/editor.desktop" }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        closeAllWindows();
        openWindow(2, "browser", true);
        if (c.running)
            openWindow(1, "editor", false);
        activator.requests.clear();
        activator.onActivate = [&](const QString&) {
            if (c.becomesActive)
                windows.activate(WindowId { 1 });
        };
        launcher.requests.clear();
        launcher.newWindowActions = c.hasAction ? QSet<QString> { editorFile } : QSet<QString> {};
        keystrokes.newWindowShortcuts = 0;

        model->openNewWindow(item("editor", editorFile));
        EXPECT_EQ(keystrokes.newWindowShortcuts, 0) << "typed before the application could be active";
        QTest::qWait(400);
        EXPECT_EQ(strings(activator.requests), strings(c.activator));
        EXPECT_EQ(strings(launcher.requests), strings(c.launcher));
        EXPECT_EQ(keystrokes.newWindowShortcuts, c.keystrokes);
    }
}

TEST_F(TaskbarViewModelTest, CtrlNWaitsForTheAppToBecomeActive)
{
    openWindow(2, "browser", true);
    openWindow(1, "editor", false);
    model->openNewWindow(item("editor", editorFile));
    // The window manager takes its time.
    QTest::qWait(100);
    windows.activate(WindowId { 1 });
    EXPECT_EQ(keystrokes.newWindowShortcuts, 0);
    QTest::qWait(300);
    EXPECT_EQ(keystrokes.newWindowShortcuts, 1);
}

TEST_F(TaskbarViewModelTest, NoKeystrokeAfterTheModelIsGone)
{
    openWindow(1, "editor", true);
    model->openNewWindow(item("editor", editorFile));
    model.reset();
    QTest::qWait(400);
    EXPECT_EQ(keystrokes.newWindowShortcuts, 0);
}

TEST_F(TaskbarViewModelTest, OpensRecentDocumentsAndShortcutsWithTheApplication)
{
    const QString home = QUrl::fromLocalFile(QDir::homePath()).toString();
    struct Case {
        const char* name;
        std::optional<QString> url;
        QString target;
        QStringList requests;
    };
    const QList<Case> cases {
        { "an address", editorFile, "https://example.org/a?b=1",
            { "launch:/apps/editor.desktop:https://example.org/a?b=1" } },
        { "an absolute path, trimmed", editorFile, "  /tmp/notes.txt\n",
            { "launch:/apps/editor.desktop:file:///tmp/notes.txt" } },
        { "a file address", editorFile, "file:///etc/hosts", { "launch:/apps/editor.desktop:file:///etc/hosts" } },
        { "a path in the home folder", editorFile, "~/Documents/notes.txt",
            { "launch:/apps/editor.desktop:" + home + "/Documents/notes.txt" } },
        { "the home folder", editorFile, "~", { "launch:/apps/editor.desktop:" + home } },
        { "without a desktop file: the default application", std::nullopt, "/tmp/notes.txt",
            { "open:file:///tmp/notes.txt" } },
        { "blank: nothing", editorFile, " \t\n", {} },
        { "a relative path: nothing", editorFile, "Documents/notes.txt", {} },
        { "another user's home: nothing", editorFile, "~guest/notes.txt", {} },
        { "a Qt resource path: nothing", editorFile, ":/icons/app.png", {} },
        { "an address that does not parse: nothing", editorFile, "http://[::1/x", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        launcher.requests.clear();
        model->openShortcut({ "id", "name", c.target }, item("editor", c.url));
        EXPECT_EQ(strings(launcher.requests), strings(c.requests));
    }

    launcher.requests.clear();
    const QUrl document = QUrl::fromLocalFile("/home/u/report.odt");
    model->openRecent(document, item("editor", editorFile));
    model->openRecent(document, item("editor", std::nullopt));
    EXPECT_EQ(strings(launcher.requests),
        strings({ "launch:/apps/editor.desktop:file:///home/u/report.odt", "open:file:///home/u/report.odt" }));
}

TEST_F(TaskbarViewModelTest, ItemMenuOperations)
{
    const QList<PinnedShortcut> editorShortcuts { { "1", "Notes", "~/notes.txt" },
        { "2", "Site", "https://example.org" } };
    preferences.setPinnedShortcuts({ { "editor", editorShortcuts } });
    EXPECT_EQ(model->pinnedShortcuts(item("editor", editorFile)), editorShortcuts);
    EXPECT_TRUE(model->pinnedShortcuts(item("browser", browserFile)).isEmpty());

    openWindow(1, "editor", true);
    model->quit(item("editor", editorFile));
    model->quit(item("browser", browserFile));
    EXPECT_EQ(strings(activator.requests), strings(QStringList { "close:editor" }));

    model->showInFinder(item("editor", editorFile));
    model->showInFinder(item("org.gone.App", std::nullopt));
    EXPECT_EQ(strings(launcher.requests), strings(QStringList { "reveal:/apps/editor.desktop" }));

    model->manageShortcuts(item("editor", editorFile));
    QStringList managed;
    model->setOnManageShortcuts([&](const QString& id, const QString& name) { managed << id << name; });
    TaskbarItem editor = item("editor", editorFile);
    editor.name = "Editor";
    model->manageShortcuts(editor);
    EXPECT_EQ(strings(managed), strings(QStringList { "editor", "Editor" }));
}

} // namespace
