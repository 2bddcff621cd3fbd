#include "core/features/showdesktop/ShowDesktopService.h"
#include "fakes/FakeWindowSystem.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr qint32 ownPid = 999;

ClientWindow appWindow(quint32 id, qint32 pid)
{
    ClientWindow w;
    w.id = WindowId{id};
    w.pid = pid;
    w.viewable = true;
    w.frame = QRect(100, 100, 600, 400);
    return w;
}

ClientWindow changed(ClientWindow w, const std::function<void(ClientWindow&)>& change)
{
    change(w);
    return w;
}

const WindowId editor{1}, browser{2}, terminal{3};
const WindowId userMinimized{4}, elsewhere{5}, dialog{6}, ownBar{7}, ownSettings{8};

// Three visible application windows beside ones that are never touched.
struct Desktop {
    Desktop()
    {
        windows.appliesRequests = true;
        windows.add(appWindow(editor.value, 10));
        windows.add(appWindow(browser.value, 20));
        windows.add(appWindow(terminal.value, 30));
        windows.add(changed(appWindow(userMinimized.value, 10), [](ClientWindow& w) {
            w.minimized = true;
            w.viewable = false;
        }));
        windows.add(changed(appWindow(elsewhere.value, 20), [](ClientWindow& w) {
            w.onCurrentDesktop = false;
            w.viewable = false;
        }));
        windows.add(changed(appWindow(dialog.value, 10), [](ClientWindow& w) {
            w.kind = WindowKind::Dialog;
            w.transientFor = editor;
        }));
        windows.add(changed(appWindow(ownBar.value, ownPid), [](ClientWindow& w) {
            w.kind = WindowKind::Dock;
            w.skipTaskbar = true;
        }));
        windows.add(appWindow(ownSettings.value, ownPid));
        // Used last to first: the editor is in front, the terminal behind the browser.
        windows.activate(terminal);
        windows.activate(browser);
        windows.activate(editor);
    }

    QList<WindowId> requested(const QString& kind) const
    {
        QList<WindowId> ids;
        for (const auto& [request, id] : windows.requests)
            if (request == kind)
                ids.append(id);
        return ids;
    }

    bool isMinimized(WindowId id) const { return windows.window(id) && windows.window(id)->minimized; }

    FakeWindowSystem windows;
    ShowDesktopService service{windows, ownPid};
};

class ShowDesktopServiceTest : public ::testing::Test, protected Desktop {};

TEST_F(ShowDesktopServiceTest, RestoresExactlyTheWindowsItMinimizedFrontOneLast)
{
    service.showDesktop();
    EXPECT_TRUE(service.isDesktopShown());
    EXPECT_EQ(requested("minimize"), (QList<WindowId>{terminal, browser, editor}));

    windows.requests.clear();
    service.restore();
    EXPECT_FALSE(service.isDesktopShown());
    EXPECT_EQ(requested("activate"), (QList<WindowId>{terminal, browser, editor}));
    EXPECT_EQ(windows.activeWindow(), editor);
    EXPECT_TRUE(isMinimized(userMinimized)) << "the user's own minimized window stays down";
    EXPECT_EQ(windows.requests.size(), 3) << "nothing else, Pellux's windows included, is touched";
}

TEST_F(ShowDesktopServiceTest, WhatHappensMeanwhileDecidesWhatComesBack)
{
    struct Case {
        const char* name;
        std::function<void(FakeWindowSystem&)> meanwhile;
        QList<WindowId> activated;
    };
    const Case cases[] = {
        {"nothing", [](FakeWindowSystem&) {}, {terminal, browser, editor}},
        {"a remembered window closed", [](FakeWindowSystem& w) { w.remove(browser); }, {terminal, editor}},
        {"the user brought one back", [](FakeWindowSystem& w) { w.requestActivate(terminal); }, {browser, editor}},
        {"a new window opened", [](FakeWindowSystem& w) { w.add(appWindow(9, 40)); }, {terminal, browser, editor}},
        {"a closed window's id reused by a minimized stranger",
         [](FakeWindowSystem& w) {
             w.remove(browser);
             w.add(changed(appWindow(browser.value, 50), [](ClientWindow& c) { c.minimized = true; }));
         },
         {terminal, editor}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Desktop fresh;
        fresh.service.showDesktop();
        c.meanwhile(fresh.windows);
        EXPECT_TRUE(fresh.service.isDesktopShown()) << "only the toggle ends the shown desktop";
        fresh.windows.requests.clear();
        fresh.service.restore();
        EXPECT_EQ(fresh.requested("activate"), c.activated);
        EXPECT_FALSE(fresh.service.isDesktopShown());
    }
}

TEST_F(ShowDesktopServiceTest, ToggleAlternatesAndAnnouncesEachChange)
{
    QSignalSpy spy(&service, &ShowDesktopService::isDesktopShownChanged);
    service.toggle();
    EXPECT_EQ(requested("minimize").size(), 3);
    service.toggle();
    EXPECT_EQ(requested("activate").size(), 3);
    service.toggle();
    EXPECT_EQ(requested("minimize").size(), 6);
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ((QList<bool>{spy[0][0].toBool(), spy[1][0].toBool(), spy[2][0].toBool()}),
              (QList<bool>{true, false, true}));
}

TEST(ShowDesktopServiceEmptyTest, WithNoWindowsTheFlagStillToggles)
{
    FakeWindowSystem windows;
    ShowDesktopService service(windows, ownPid);
    service.toggle();
    EXPECT_TRUE(service.isDesktopShown());
    service.toggle();
    EXPECT_FALSE(service.isDesktopShown());
    EXPECT_TRUE(windows.requests.isEmpty());
}

} // namespace
