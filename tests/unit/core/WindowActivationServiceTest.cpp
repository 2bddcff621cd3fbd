#include "core/services/RunningAppsService.h"
#include "core/services/WindowActivationService.h"
#include "fakes/FakeAppLauncher.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowSystem.h"

#include <gtest/gtest.h>

namespace {

using State = WindowInfo::State;
using Requests = QList<std::pair<QString, WindowId>>;

const WindowId first{1};
const WindowId second{2};
const WindowId gone{9};

// Two windows of one application with the same title: the window id alone must decide.
class WindowActivationServiceTest : public ::testing::Test {
protected:
    WindowActivationServiceTest()
        : running(windows, processes, 1), service(windows, running, launcher, {})
    {
        for (WindowId id : {first, second}) {
            ClientWindow w;
            w.id = id;
            w.pid = 10;
            w.wmClass = QStringLiteral("Term");
            w.title = QStringLiteral("shell");
            w.viewable = true;
            w.frame = QRect(0, 0, 640, 480);
            windows.add(w);
        }
        running.start();
    }

    static WindowInfo info(WindowId id, State state)
    {
        return {id, QStringLiteral("shell"), 10, QRect(0, 0, 640, 480), state};
    }

    FakeWindowSystem windows;
    FakeProcessInspector processes;
    FakeAppLauncher launcher;
    RunningAppsService running;
    WindowActivationService service;
};

struct SelectCase {
    const char* name;
    WindowId active;
    WindowId selected;
    State state;
    Requests expected;
};

TEST_F(WindowActivationServiceTest, SelectMinimizesOnlyTheWindowInFrontAndBringsOthersForward)
{
    const QList<SelectCase> cases{
        {"front window minimizes", first, first, State::Normal, {{"minimize", first}}},
        {"same title behind comes forward with the other", first, second, State::Normal,
         {{"activate", first}, {"activate", second}}},
        {"no active window", {}, first, State::Normal, {{"activate", second}, {"activate", first}}},
        {"minimized restores", {}, first, State::Minimized, {{"activate", second}, {"activate", first}}},
        // The active id may be stale for a window the list already sees on another desktop.
        {"elsewhere switches to it", first, first, State::Elsewhere, {{"activate", second}, {"activate", first}}},
        {"closed window: its application still comes forward", first, gone, State::Normal,
         {{"activate", second}, {"activate", first}}},
    };
    for (const SelectCase& c : cases) {
        windows.requests.clear();
        windows.activate(c.active);
        service.select(info(c.selected, c.state));
        EXPECT_EQ(windows.requests, c.expected) << c.name;
    }
}

TEST_F(WindowActivationServiceTest, SelectingTheFrontWindowTwiceMinimizesThenRestoresIt)
{
    windows.appliesRequests = true;
    windows.activate(first);
    service.select(info(first, State::Normal));
    ASSERT_TRUE(windows.window(first)->minimized);
    service.select(info(first, State::Minimized));
    EXPECT_FALSE(windows.window(first)->minimized);
    EXPECT_EQ(windows.activeWindow(), first);
}

struct CommandCase {
    WindowCommand command;
    WindowId target;
    Requests expected;
};

TEST_F(WindowActivationServiceTest, PerformSendsEachCommandToThatWindowOnly)
{
    const QList<CommandCase> cases{
        {WindowCommand::Minimize, second, {{"minimize", second}}},
        {WindowCommand::Restore, second, {{"activate", first}, {"activate", second}}},
        {WindowCommand::Maximize, second, {{"maximize", second}, {"activate", first}, {"activate", second}}},
        {WindowCommand::Close, second, {{"close", second}}},
        {WindowCommand::Minimize, gone, {}},
        {WindowCommand::Maximize, gone, {}},
        {WindowCommand::Close, gone, {}},
    };
    for (const CommandCase& c : cases) {
        windows.requests.clear();
        service.perform(c.command, info(c.target, State::Minimized));
        EXPECT_EQ(windows.requests, c.expected) << int(c.command) << " on " << c.target.value;
    }
}

TEST_F(WindowActivationServiceTest, MinimizingTheApplicationTakesItsMainWindowOnly)
{
    struct Case {
        const char* name;
        QList<WindowId> activations; // in order
        QList<WindowId> minimized;
        Requests expected;
    };
    const QList<Case> cases{
        {"the one used last", {second, first}, {}, {{"minimize", first}}},
        {"the one used last of those not minimized", {second, first}, {first}, {{"minimize", second}}},
        {"nothing when all are minimized", {first}, {first, second}, {}},
    };
    const auto setMinimized = [this](WindowId id, bool minimized) {
        ClientWindow w = *windows.window(id);
        w.minimized = minimized;
        w.viewable = !minimized;
        windows.update(w);
    };
    const QString term = running.bundleIDOf(first);
    ASSERT_FALSE(term.isEmpty());
    for (const Case& c : cases) {
        for (WindowId id : {first, second})
            setMinimized(id, false);
        for (WindowId id : c.activations)
            windows.activate(id);
        for (WindowId id : c.minimized)
            setMinimized(id, true);
        windows.requests.clear();
        service.minimize(term);
        EXPECT_EQ(windows.requests, c.expected) << c.name;
    }
}

} // namespace
