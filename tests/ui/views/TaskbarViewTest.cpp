#include "core/features/taskbar/LayoutCalculator.h"
#include "core/features/taskbar/TaskbarViewModel.h"
#include "core/models/PreferenceKeys.h"
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
#include "ui/views/taskbar/TaskbarView.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

namespace K = PreferenceKeys;

// A bar over real services fed by fakes.
class TaskbarViewTest : public ::testing::Test {
protected:
    TaskbarViewTest()
        : discovery(std::make_shared<FakeApplicationSource>()), running(windows, processes, 1), badges(badgeSource)
    {
    }

    void makeBar(const QStringList& pinned, const QString& fileManager = {})
    {
        defaults.values.insert(K::pinnedBundleIDs, pinned);
        prefs = std::make_unique<PreferencesStore>(defaults);
        running.start();
        model = std::make_unique<TaskbarViewModel>(
            TaskbarViewModel::Services{discovery, running, badges, *prefs, layout, activator, launcher, keystrokes},
            fileManager);
        view = std::make_unique<TaskbarView>(*model, *prefs, TaskbarView::Actions{});
        view->resize(1000, 48);
        view->show();
        QCoreApplication::processEvents();
    }

    void runWindow(quint32 id, const QString& cls)
    {
        ClientWindow w;
        w.id = WindowId{id};
        w.pid = qint32(100 + id);
        w.wmInstance = cls.toLower();
        w.wmClass = cls;
        w.viewable = true;
        w.frame = QRect(0, 0, 300, 200);
        windows.add(w);
    }

    QStringList menuEntries(const QString& bundleID)
    {
        QStringList entries;
        QObject context;
        QObject::connect(view.get(), &TaskbarView::menuShown, &context, [&](QWidget* shown) {
            for (QAction* action : static_cast<QMenu*>(shown)->actions())
                entries.append(action->isSeparator() ? QStringLiteral("--%1").arg(action->text()) : action->text());
            shown->close();
        });
        for (AppIconView* button : view->appButtons())
            if (button->item().bundleID == bundleID)
                emit button->menuRequested(button->item(), QPoint(10, 10));
        return entries;
    }

    FakeUserDefaults defaults;
    FakeWindowSystem windows;
    FakeProcessInspector processes;
    FakeLauncherEntrySource badgeSource;
    AppDiscoveryService discovery;
    RunningAppsService running;
    DockBadgeService badges;
    LayoutCalculator layout;
    FakeWindowActivating activator;
    FakeAppLauncher launcher;
    FakeKeystrokeSender keystrokes;
    std::unique_ptr<PreferencesStore> prefs;
    std::unique_ptr<TaskbarViewModel> model;
    std::unique_ptr<TaskbarView> view;
};

TEST(TaskbarViewLength, LeavesTheRestOfTheBarToTheButtons)
{
    struct Case {
        double bar;
        int reserved;
        bool label;
        bool strip;
        double expected;
    };
    const Case cases[] = {
        {1000, 0, false, false, 936}, // nothing measured yet: the Start button is guessed at 52
        {1000, 0, true, false, 868},
        {1000, 0, true, true, 854},
        {1000, 200, false, true, 774},
        {100, 200, false, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TaskbarView::availableLength(c.bar, c.reserved, c.label, c.strip), c.expected);
}

TEST(TaskbarViewLength, DroppedEntriesArePinnedUnderTheirFileId)
{
    EXPECT_EQ(TaskbarView::desktopFileId("/usr/share/applications/org.gnome.Nautilus.desktop"), "org.gnome.Nautilus");
    EXPECT_EQ(TaskbarView::desktopFileId("/home/u/.local/share/applications/kde4/okular.desktop"), "kde4-okular");
    EXPECT_EQ(TaskbarView::desktopFileId("/tmp/loose.desktop"), "loose");
}

TEST_F(TaskbarViewTest, ShowsAButtonPerVisibleItemAndTellsTheModelItsLength)
{
    makeBar({"a", "b", "c"});
    EXPECT_EQ(view->appButtons().size(), 3);
    EXPECT_GT(model->availableWidth(), 800);
    EXPECT_LT(model->availableWidth(), 1000 - view->reservedLength());

    view->resize(160, 48);
    QCoreApplication::processEvents();
    EXPECT_EQ(view->appButtons().size(), model->layout().visibleCount);
    EXPECT_EQ(model->layout().overflowCount, 3 - model->layout().visibleCount);
    EXPECT_GE(model->layout().overflowCount, 1);
}

TEST_F(TaskbarViewTest, ButtonsFollowTheItemsAndKeepTheirWidgets)
{
    makeBar({"a"});
    AppIconView* pinned = view->appButtons().value(0);
    runWindow(1, "Term");
    ASSERT_EQ(view->appButtons().size(), 2);
    EXPECT_EQ(view->appButtons().value(0), pinned);
    EXPECT_EQ(view->appButtons().value(1)->item().bundleID, "wmclass:Term");
    windows.remove(WindowId{1});
    EXPECT_EQ(view->appButtons().size(), 1);
}

TEST_F(TaskbarViewTest, MenuEntriesFollowTheItemsState)
{
    defaults.values.insert(K::showShortcutsInMenu, false);
    makeBar({"notes"}, QStringLiteral("wmclass:Files"));
    runWindow(1, "Term");
    runWindow(2, "Files");
    EXPECT_EQ(menuEntries("notes"), (QStringList{"Open", "Unpin", "Show in Finder"}));
    EXPECT_EQ(menuEntries("wmclass:Term"), (QStringList{"Open", "Quit", "Pin to Taskbar", "Show in Finder"}));
    // The file manager is never offered to quit.
    prefs->setShowFinderInRunningApps(true);
    EXPECT_EQ(menuEntries("wmclass:Files"), (QStringList{"Open", "Pin to Taskbar", "Show in Finder"}));
}

TEST_F(TaskbarViewTest, ClickingAButtonOpensItsItem)
{
    makeBar({});
    runWindow(1, "Term");
    AppIconView* button = view->appButtons().value(0);
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    EXPECT_EQ(activator.requests, (QStringList{"activate:wmclass:Term"}));
}

} // namespace
