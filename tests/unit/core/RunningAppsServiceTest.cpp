#include "core/services/RunningAppsService.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowSystem.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr qint32 ownPid = 999;

ClientWindow normalWindow(quint32 id, qint32 pid, const QString& instance, const QString& cls)
{
    ClientWindow w;
    w.id = WindowId{id};
    w.pid = pid;
    w.wmInstance = instance;
    w.wmClass = cls;
    w.title = cls + QStringLiteral(" window");
    w.viewable = true;
    w.frame = QRect(10, 10, 400, 300);
    return w;
}

const QList<InstalledApp> installed{
    {"debian-xterm", "XTerm", "/usr/share/applications/debian-xterm.desktop", {}, "", "", "", {"xterm"}},
    {"firefox-esr", "Firefox ESR", "/usr/share/applications/firefox-esr.desktop", {}, "", "firefox-esr", "", {"firefox-esr", "%u"}},
};

class RunningAppsServiceTest : public ::testing::Test {
protected:
    RunningAppsServiceTest() : service(windows, processes, ownPid)
    {
        processes.identities[10] = {{}, {}, {}, "/usr/bin/xterm", {"xterm"}};
        service.setInstalledApps(installed);
        service.start();
    }

    QStringList ids() const
    {
        QStringList result;
        for (const RunningApp& app : service.runningApps())
            result.append(app.bundleID);
        return result;
    }

    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService service;
};

TEST_F(RunningAppsServiceTest, GroupsWindowsByApplicationInOrderOfAppearance)
{
    windows.add(normalWindow(1, 10, "xterm", "XTerm"));
    windows.add(normalWindow(2, 20, "Navigator", "firefox-esr"));
    windows.add(normalWindow(3, 10, "xterm", "XTerm"));
    windows.add(normalWindow(4, 30, "mystery", "Mystery"));
    ASSERT_EQ(ids(), (QStringList{"debian-xterm", "firefox-esr", "wmclass:Mystery"}));
    EXPECT_EQ(service.runningApps()[0], (RunningApp{"debian-xterm", "XTerm", 10, false}));
    EXPECT_EQ(service.runningApps()[2].name, "Mystery");
    EXPECT_EQ(service.windowsOf("debian-xterm"), (QList<WindowId>{WindowId{1}, WindowId{3}}));

    // The first window going does not move its application while it has others.
    windows.remove(WindowId{1});
    EXPECT_EQ(ids(), (QStringList{"debian-xterm", "firefox-esr", "wmclass:Mystery"}));
    EXPECT_EQ(service.runningApps()[0].processIdentifier, 10);
    windows.remove(WindowId{3});
    windows.add(normalWindow(5, 10, "xterm", "XTerm"));
    EXPECT_EQ(ids(), (QStringList{"firefox-esr", "wmclass:Mystery", "debian-xterm"}));
}

TEST_F(RunningAppsServiceTest, ListsOnlyOrdinaryWindowsOfOtherPrograms)
{
    struct Case {
        const char* name;
        std::function<void(ClientWindow&)> change;
    };
    const Case excluded[] = {
        {"transient dialog", [](ClientWindow& w) { w.transientFor = WindowId{100}; }},
        {"dialog type", [](ClientWindow& w) { w.kind = WindowKind::Dialog; }},
        {"dock", [](ClientWindow& w) { w.kind = WindowKind::Dock; }},
        {"utility", [](ClientWindow& w) { w.kind = WindowKind::Utility; }},
        {"unknown type", [](ClientWindow& w) { w.kind = WindowKind::Other; }},
        {"skips the taskbar", [](ClientWindow& w) { w.skipTaskbar = true; }},
        {"Pellux's own", [](ClientWindow& w) { w.pid = ownPid; }},
    };
    quint32 id = 100;
    for (const Case& c : excluded) {
        SCOPED_TRACE(c.name);
        ClientWindow w = normalWindow(++id, 40, "thing", "Thing");
        c.change(w);
        windows.add(w);
        EXPECT_TRUE(service.runningApps().isEmpty());
        windows.remove(w.id);
    }
}

TEST_F(RunningAppsServiceTest, ActiveOnlyWithAWindowReallyOnScreen)
{
    struct Case {
        const char* name;
        std::function<void(ClientWindow&)> change;
        bool active;
    };
    const Case cases[] = {
        {"plain window", [](ClientWindow&) {}, true},
        {"minimized", [](ClientWindow& w) { w.minimized = true; }, false},
        {"smaller than 40 x 40", [](ClientWindow& w) { w.frame = QRect(0, 0, 39, 300); }, false},
        {"exactly 40 x 40", [](ClientWindow& w) { w.frame = QRect(0, 0, 40, 40); }, true},
        {"fully transparent", [](ClientWindow& w) { w.opacity = 0.0; }, false},
        {"on another desktop", [](ClientWindow& w) { w.onCurrentDesktop = false; }, false},
        {"not mapped", [](ClientWindow& w) { w.viewable = false; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClientWindow w = normalWindow(1, 10, "xterm", "XTerm");
        c.change(w);
        windows.add(w);
        windows.activate(w.id);
        ASSERT_EQ(service.runningApps().size(), 1);
        EXPECT_EQ(service.runningApps()[0].isActive, c.active);
        windows.remove(w.id);
        windows.activate(WindowId{});
    }
}

TEST_F(RunningAppsServiceTest, AnActiveDialogMakesItsApplicationActive)
{
    windows.add(normalWindow(1, 10, "xterm", "XTerm"));
    ClientWindow dialog = normalWindow(2, 10, "xterm", "XTerm");
    dialog.kind = WindowKind::Dialog;
    dialog.transientFor = WindowId{1};
    windows.add(dialog);
    windows.activate(dialog.id);
    ASSERT_EQ(service.runningApps().size(), 1);
    EXPECT_TRUE(service.runningApps()[0].isActive);

    ClientWindow minimized = normalWindow(1, 10, "xterm", "XTerm");
    minimized.minimized = true;
    windows.update(minimized);
    EXPECT_FALSE(service.runningApps()[0].isActive);
}

TEST_F(RunningAppsServiceTest, PublishesOnlyRealChanges)
{
    QSignalSpy published(&service, &RunningAppsService::runningAppsChanged);
    windows.add(normalWindow(1, 10, "xterm", "XTerm"));
    EXPECT_EQ(published.count(), 1);
    ClientWindow retitled = normalWindow(1, 10, "xterm", "XTerm");
    retitled.title = QStringLiteral("vim");
    windows.update(retitled);
    windows.activate(WindowId{77});
    service.refresh();
    EXPECT_EQ(published.count(), 1);
    windows.activate(WindowId{1});
    EXPECT_EQ(published.count(), 2);
}

TEST_F(RunningAppsServiceTest, MatchesAgainWhenTheInstalledApplicationsArrive)
{
    RunningAppsService fresh(windows, processes, ownPid);
    fresh.start();
    windows.add(normalWindow(1, 10, "xterm", "XTerm"));
    EXPECT_EQ(fresh.runningApps().value(0).bundleID, "wmclass:XTerm");
    fresh.setInstalledApps(installed);
    EXPECT_EQ(fresh.runningApps().value(0).bundleID, "debian-xterm");
    EXPECT_EQ(fresh.runningApps().value(0).name, "XTerm");
}

TEST_F(RunningAppsServiceTest, ReadsEachProcessOnce)
{
    windows.add(normalWindow(1, 10, "xterm", "XTerm"));
    const int lookups = processes.lookups;
    for (int i = 0; i < 5; ++i)
        windows.activate(WindowId{quint32(i % 2)});
    EXPECT_EQ(processes.lookups, lookups);
}

TEST_F(RunningAppsServiceTest, StopsFollowingTheWindowSystem)
{
    service.stop();
    windows.add(normalWindow(1, 10, "xterm", "XTerm"));
    EXPECT_TRUE(service.runningApps().isEmpty());
}

} // namespace
