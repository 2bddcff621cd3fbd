#include "core/features/windowfitting/BarClearance.h"
#include "core/features/windowfitting/FullScreen.h"
#include "core/features/windowfitting/WindowFittingService.h"
#include "core/services/RunningAppsService.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowSystem.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr qint32 ownPid = 999;

std::string describe(const std::optional<QRect>& rect)
{
    if (!rect)
        return "unchanged";
    return QStringLiteral("(%1, %2, %3 x %4)")
        .arg(rect->x())
        .arg(rect->y())
        .arg(rect->width())
        .arg(rect->height())
        .toStdString();
}

// A monitor away from the origin, so a rule that mixes monitor-relative and root coordinates fails.
const QRect monitor(1000, 200, 1200, 1000);

ScreenBox boxWithBar(BarPosition position, const QRect& visible = monitor)
{
    constexpr int t = 48;
    const QRect bars[] = {
        {monitor.x(), monitor.y() + monitor.height() - t, monitor.width(), t},
        {monitor.x(), visible.y(), monitor.width(), t},
        {monitor.x(), monitor.y(), t, monitor.height()},
        {monitor.x() + monitor.width() - t, monitor.y(), t, monitor.height()},
    };
    return {monitor, visible, bars[static_cast<int>(position)], position};
}

TEST(WindowClampTest, PullsTheWindowOutFromUnderTheBar)
{
    struct Case {
        const char* name;
        BarPosition position;
        QRect window;
        std::optional<QRect> clamped;
    };
    // Bars 48 thick: bottom from y 1152, top down to y 248, left up to x 1048, right from x 2152.
    const Case cases[] = {
        {"bottom: keeps its top, ends at the bar", BarPosition::Bottom, {1100, 500, 600, 680},
         QRect(1100, 500, 600, 652)},
        {"bottom: running off the monitor", BarPosition::Bottom, {1100, 300, 600, 1000}, QRect(1100, 300, 600, 852)},
        {"bottom: already ends at the bar", BarPosition::Bottom, {1100, 500, 600, 652}, std::nullopt},
        {"bottom: 61 high is enough", BarPosition::Bottom, {1100, 1091, 600, 100}, QRect(1100, 1091, 600, 61)},
        {"bottom: 60 high is too small", BarPosition::Bottom, {1100, 1092, 600, 100}, std::nullopt},
        {"bottom: wholly behind the bar", BarPosition::Bottom, {1100, 1160, 600, 30}, std::nullopt},
        {"top: keeps its bottom, starts below the bar", BarPosition::Top, {1100, 210, 600, 400},
         QRect(1100, 248, 600, 362)},
        {"top: already starts below the bar", BarPosition::Top, {1100, 248, 600, 400}, std::nullopt},
        {"top: 60 high is too small", BarPosition::Top, {1100, 200, 600, 108}, std::nullopt},
        {"left: keeps its right edge", BarPosition::Left, {1010, 300, 500, 400}, QRect(1048, 300, 462, 400)},
        {"left: 101 wide is enough", BarPosition::Left, {1010, 300, 139, 400}, QRect(1048, 300, 101, 400)},
        {"left: 100 wide is too small", BarPosition::Left, {1010, 300, 138, 400}, std::nullopt},
        {"right: keeps its left edge", BarPosition::Right, {1800, 300, 500, 400}, QRect(1800, 300, 352, 400)},
        {"right: already ends at the bar", BarPosition::Right, {1652, 300, 500, 400}, std::nullopt},
        {"right: window on the far side of the monitor", BarPosition::Right, {1010, 300, 500, 400}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(describe(clampedFrame(c.window, boxWithBar(c.position))), describe(c.clamped));
    }
}

TEST(WindowClampTest, TopBarBelowAnotherPanelAndMonitorsWithoutABar)
{
    // A 30-pixel panel above: the bar and its limit sit under it.
    const ScreenBox underPanel = boxWithBar(BarPosition::Top, monitor.adjusted(0, 30, 0, 0));
    EXPECT_EQ(describe(clampedFrame({1100, 240, 600, 400}, underPanel)), describe(QRect(1100, 278, 600, 362)));

    const ScreenBox noBar{monitor, monitor, {}, BarPosition::Bottom};
    EXPECT_EQ(describe(clampedFrame({1100, 500, 600, 1000}, noBar)), describe(std::nullopt));
}

TEST(WindowClampTest, FreeAreaIsTheVisibleFrameLessTheBar)
{
    const QRect visible = monitor.adjusted(10, 30, -20, -40); // other panels on every side
    struct Case {
        const char* name;
        ScreenBox box;
        QRect free;
    };
    const Case cases[] = {
        {"bottom bar", boxWithBar(BarPosition::Bottom, visible), {1010, 230, 1170, 922}},
        {"top bar under a panel", boxWithBar(BarPosition::Top, visible), {1010, 278, 1170, 882}},
        {"left bar", boxWithBar(BarPosition::Left, visible), {1048, 230, 1132, 930}},
        {"right bar", boxWithBar(BarPosition::Right, visible), {1010, 230, 1142, 930}},
        {"no bar", {monitor, visible, {}, BarPosition::Bottom}, visible},
        {"visible frame unknown", {monitor, {}, boxWithBar(BarPosition::Bottom).bar, BarPosition::Bottom},
         {1000, 200, 1200, 952}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(describe(freeArea(c.box)), describe(c.free));
    }
}

TEST(WindowClampTest, FindsTheMonitorHoldingTheWindowCentre)
{
    const ScreenBox left{{0, 0, 1920, 1080}, {}, {}, BarPosition::Bottom};
    const ScreenBox right{{1920, 0, 1280, 1024}, {}, {}, BarPosition::Bottom};
    EXPECT_EQ(boxContaining({1800, 100, 600, 400}, {left, right}), right);
    EXPECT_EQ(boxContaining({1500, 100, 600, 400}, {left, right}), left);
    EXPECT_EQ(boxContaining({-900, -900, 100, 100}, {right, left}), right);
    EXPECT_EQ(boxContaining({0, 0, 100, 100}, {}), std::nullopt);
}

TEST(WindowClampTest, FullScreenMeansAskingForItOrCoveringTheMonitorWithin2Pixels)
{
    const QList<ScreenBox> boxes{{{0, 0, 1920, 1080}, {}, {}, BarPosition::Bottom},
                                 {{1920, 0, 1280, 1024}, {}, {}, BarPosition::Bottom}};
    struct Case {
        const char* name;
        QRect frame;
        bool asks;
        QList<ScreenBox> boxes;
        bool fullScreen;
        bool maximized = false;
    };
    const Case cases[] = {
        {"covers its monitor", {0, 0, 1920, 1080}, false, boxes, true},
        {"2 pixels short each way", {1, 1, 1918, 1078}, false, boxes, true},
        {"3 pixels short", {0, 0, 1917, 1080}, false, boxes, false},
        {"covers the second monitor", {1920, 0, 1280, 1024}, false, boxes, true},
        {"maximized under a panel", {0, 30, 1920, 1050}, false, boxes, false},
        {"maximized where no edge is reserved", {0, 0, 1920, 1080}, false, boxes, false, true},
        {"asks for it", {10, 10, 300, 200}, true, boxes, true},
        {"asks for it while maximized", {0, 0, 1920, 1080}, true, boxes, true, true},
        {"no monitors known", {0, 0, 1920, 1080}, false, {}, false},
        {"monitor of no size", {0, 0, 10, 10}, false, {ScreenBox{}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClientWindow window;
        window.frame = c.frame;
        window.fullscreen = c.asks;
        window.maximized = c.maximized;
        EXPECT_EQ(isFullScreenWindow(window, c.boxes), c.fullScreen);
    }
}

QHash<WindowId, std::optional<QRect>> byWindow(const QList<std::pair<WindowId, QRect>>& moves)
{
    QHash<WindowId, std::optional<QRect>> result;
    for (const auto& [window, frame] : moves)
        result.insert(window, frame);
    return result;
}

ClientWindow appWindow(quint32 id, qint32 pid, const QString& cls, const QRect& frame)
{
    ClientWindow w;
    w.id = WindowId{id};
    w.pid = pid;
    w.wmInstance = cls.toLower();
    w.wmClass = cls;
    w.viewable = true;
    w.frame = frame;
    return w;
}

// Two monitors side by side, each with a bottom bar 48 high.
const QList<ScreenBox> twoMonitors{
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, {0, 1032, 1920, 48}, BarPosition::Bottom},
    {{1920, 0, 1280, 1024}, {1920, 0, 1280, 1024}, {1920, 976, 1280, 48}, BarPosition::Bottom},
};

constexpr int settleMs = 400;

class WindowFittingServiceTest : public ::testing::Test {
protected:
    WindowFittingServiceTest() : running(windows, processes, ownPid), service(windows, running, ownPid)
    {
        windows.appliesRequests = true;
        running.start();
        service.setScreens(twoMonitors);
        service.start();
    }

    QList<std::pair<WindowId, QRect>> settle()
    {
        QTest::qWait(settleMs);
        return std::exchange(windows.moveResizes, {});
    }

    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService running;
    WindowFittingService service;
};

TEST_F(WindowFittingServiceTest, ClampsOnlyMovableWindowsOfTheApplicationInFront)
{
    struct Case {
        const char* name;
        std::function<void(ClientWindow&)> change;
        std::optional<QRect> clamped;
    };
    const auto at = [](QRect frame) { return [frame](ClientWindow& w) { w.frame = frame; }; };
    const auto under = [](std::function<void(ClientWindow&)> change) {
        return [change](ClientWindow& w) {
            w.frame = QRect(100, 300, 800, 900);
            change(w);
        };
    };
    const Case cases[] = {
        {"under the bar", at({100, 300, 800, 900}), QRect(100, 300, 800, 732)},
        {"clear of the bar", at({100, 100, 800, 900}), std::nullopt},
        {"under the second monitor's bar", at({2000, 500, 600, 600}), QRect(2000, 500, 600, 476)},
        {"centre on no monitor: the first one's bar", at({-700, 900, 800, 300}), QRect(-700, 900, 800, 132)},
        {"would be left 60 high", at({100, 972, 800, 100}), std::nullopt},
        {"minimized", under([](ClientWindow& w) { w.minimized = true; }), std::nullopt},
        {"not mapped", under([](ClientWindow& w) { w.viewable = false; }), std::nullopt},
        {"on another desktop", under([](ClientWindow& w) { w.onCurrentDesktop = false; }), std::nullopt},
        {"full screen", under([](ClientWindow& w) { w.fullscreen = true; }), std::nullopt},
    };
    windows.add(appWindow(1, 10, "XTerm", {100, 100, 600, 400}));
    windows.add(appWindow(2, 20, "Firefox", {100, 300, 800, 900})); // another application
    quint32 id = 100;
    for (const Case& c : cases) {
        ClientWindow w = appWindow(++id, 10, "XTerm", {});
        c.change(w);
        windows.add(w);
    }
    windows.activate(WindowId{1});
    const auto moved = byWindow(settle());

    EXPECT_FALSE(moved.contains(WindowId{2}));
    id = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(describe(moved.value(WindowId{++id})), describe(c.clamped));
    }
}

TEST_F(WindowFittingServiceTest, WaitsUntilTheWindowEventsSettle)
{
    ClientWindow w = appWindow(1, 10, "XTerm", {100, 100, 800, 900});
    windows.add(w);
    windows.activate(w.id);
    QTest::qWait(120);
    w.frame.moveTop(200); // the user is still dragging
    windows.update(w);
    QTest::qWait(120);
    EXPECT_TRUE(windows.moveResizes.isEmpty());
    w.frame.moveTop(300);
    windows.update(w);

    const auto moves = settle();
    ASSERT_EQ(moves.size(), 1);
    EXPECT_EQ(describe(moves[0].second), describe(QRect(100, 300, 800, 732)));
    EXPECT_TRUE(settle().isEmpty()); // the clamped frame needs no second pass
}

TEST_F(WindowFittingServiceTest, TitleChangesDoNotPostponeThePass)
{
    struct Case {
        const char* name;
        quint32 ticking; // the window whose title changes every 80 ms
    };
    const Case cases[] = {{"a background application's window", 2}, {"the window in front itself", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClientWindow front = appWindow(1, 10, "XTerm", {100, 300, 800, 900});
        ClientWindow clock = appWindow(2, 20, "Clock", {1000, 100, 200, 100});
        windows.add(front);
        windows.add(clock);
        windows.activate(front.id);
        for (int tick = 0; tick < 6; ++tick) {
            QTest::qWait(80);
            ClientWindow ticking = *windows.window(WindowId{c.ticking});
            ticking.title = QString::number(tick);
            windows.update(ticking);
        }
        EXPECT_EQ(windows.moveResizes.size(), 1);
        windows.remove(front.id);
        windows.remove(clock.id);
        settle();
    }
}

TEST_F(WindowFittingServiceTest, FocusOnPelluxKeepsTheApplicationInFrontWatched)
{
    ClientWindow xterm = appWindow(1, 10, "XTerm", {100, 100, 800, 400});
    windows.add(xterm);
    windows.activate(xterm.id);
    settle();

    ClientWindow bar = appWindow(2, ownPid, "Pellux", {0, 1032, 1920, 48});
    bar.kind = WindowKind::Dock;
    ClientWindow settings = appWindow(3, ownPid, "Pellux", {100, 300, 800, 900});
    windows.add(bar);
    windows.add(settings);
    windows.activate(settings.id);
    xterm.frame = QRect(100, 300, 800, 900);
    windows.update(xterm);

    const auto moves = settle();
    ASSERT_EQ(moves.size(), 1);
    EXPECT_EQ(moves[0].first, xterm.id);
}

TEST_F(WindowFittingServiceTest, ReportsEachFullScreenChangeOnce)
{
    QSignalSpy spy(&service, &WindowFittingService::fullScreenMonitorsChanged);
    const auto reported = [&spy](qsizetype i) { return spy.at(i).at(0).value<QList<QRect>>(); };
    const QList<QRect> first{twoMonitors[0].frame};
    const QRect covering(0, 0, 1920, 1080);
    ClientWindow video = appWindow(1, 10, "Mpv", covering);
    ClientWindow editor = appWindow(2, 20, "Editor", {100, 100, 600, 400});
    ClientWindow dialog = appWindow(3, 10, "Mpv", covering);
    dialog.kind = WindowKind::Dialog;
    dialog.transientFor = video.id;
    windows.add(video);
    windows.add(editor);
    windows.add(dialog);

    windows.activate(video.id);
    EXPECT_TRUE(settle().isEmpty()) << "a full-screen window is left under the bar";
    video.title = QStringLiteral("still playing");
    windows.update(video);
    settle();
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(reported(0), first);

    windows.activate(editor.id);
    settle();
    ASSERT_EQ(spy.size(), 2);
    EXPECT_TRUE(reported(1).isEmpty());

    windows.activate(dialog.id); // only an ordinary window counts
    settle();
    EXPECT_EQ(spy.size(), 2);

    video.frame = QRect(300, 200, 400, 300);
    video.fullscreen = true;
    windows.update(video);
    windows.activate(video.id);
    settle();
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(service.fullScreenMonitors(), first);

    service.stop(); // nobody would bring the bars back
    ASSERT_EQ(spy.size(), 4);
    EXPECT_TRUE(reported(3).isEmpty());
}

TEST_F(WindowFittingServiceTest, AFilmFullScreenOnOneMonitorKeepsItsBarAwayWhileTheUserWorksOnTheOther)
{
    ClientWindow film = appWindow(1, 10, "Mpv", twoMonitors[1].frame);
    film.fullscreen = true;
    ClientWindow editor = appWindow(2, 20, "Editor", {100, 100, 600, 400});
    windows.add(film);
    windows.add(editor);
    windows.activate(film.id);
    settle();
    const QList<QRect> second{twoMonitors[1].frame};
    EXPECT_EQ(service.fullScreenMonitors(), second);

    windows.activate(editor.id);
    settle();
    EXPECT_EQ(service.fullScreenMonitors(), second) << "the film is still in front on its monitor";

    ClientWindow browser = appWindow(3, 30, "Browser", {2000, 100, 600, 400});
    windows.add(browser);
    windows.activate(browser.id);
    settle();
    EXPECT_TRUE(service.fullScreenMonitors().isEmpty()) << "another window came in front of the film";

    windows.activate(film.id);
    settle();
    ClientWindow minimized = *windows.window(film.id);
    minimized.minimized = true;
    minimized.viewable = false;
    windows.update(minimized);
    settle();
    EXPECT_TRUE(service.fullScreenMonitors().isEmpty()) << "a minimized film hides nothing";
}

TEST_F(WindowFittingServiceTest, FitAllFillsEachMonitorsFreeSpace)
{
    QList<ScreenBox> screens = twoMonitors;
    screens[0].visibleFrame = QRect(0, 30, 1920, 1050); // a top panel
    service.setScreens(screens);
    const QRect freeFirst(0, 30, 1920, 1002);
    const QRect freeSecond(1920, 0, 1280, 976);
    struct Case {
        const char* name;
        ClientWindow window;
        std::optional<QRect> fitted;
    };
    const QRect small(50, 50, 300, 200);
    const auto xterm = [small](quint32 id, std::function<void(ClientWindow&)> change) {
        ClientWindow w = appWindow(id, 10, "XTerm", small);
        change(w);
        return w;
    };
    const Case cases[] = {
        {"small window", appWindow(1, 10, "XTerm", small), freeFirst},
        {"other application on the second monitor", appWindow(2, 20, "Firefox", {2000, 100, 300, 200}), freeSecond},
        {"already fitted", appWindow(3, 20, "Firefox", freeFirst), std::nullopt},
        {"minimized", xterm(4, [](ClientWindow& w) { w.minimized = true; }), std::nullopt},
        {"on another desktop", xterm(5, [](ClientWindow& w) { w.onCurrentDesktop = false; }), std::nullopt},
        {"a dialog", xterm(6, [](ClientWindow& w) { w.kind = WindowKind::Dialog; }), std::nullopt},
        {"Pellux's own", appWindow(7, ownPid, "Pellux", small), std::nullopt},
    };
    for (const Case& c : cases)
        windows.add(c.window);
    settle();

    service.fitAllWindowsToFreeSpace();
    const auto moved = byWindow(windows.moveResizes);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(describe(moved.value(c.window.id)), describe(c.fitted));
    }
}

} // namespace
