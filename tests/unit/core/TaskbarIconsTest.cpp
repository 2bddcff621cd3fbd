#include "core/features/taskbar/TaskbarIcons.h"
#include "core/services/AppDiscoveryService.h"
#include "core/services/IconCacheService.h"
#include "core/services/RunningAppsService.h"
#include "fakes/FakeApplicationSource.h"
#include "fakes/FakeBundleFiles.h"
#include "fakes/FakeIconLoader.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowSystem.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr qint32 ownPid = 999;

ClientWindow window(quint32 id, const QString& cls)
{
    ClientWindow w;
    w.id = WindowId{id};
    w.pid = qint32(id) * 10;
    w.wmInstance = cls.toLower();
    w.wmClass = cls;
    w.viewable = true;
    w.frame = QRect(10, 10, 400, 300);
    return w;
}

QImage filled(Qt::GlobalColor colour)
{
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

TaskbarItem itemOf(const QString& bundleID)
{
    TaskbarItem item;
    item.bundleID = bundleID;
    item.isRunning = true;
    return item;
}

// A program without a desktop entry, so its button shows the icon of its first window.
class TaskbarIconsTest : public ::testing::Test {
protected:
    TaskbarIconsTest()
        : running(windows, processes, ownPid)
        , discovery(std::make_shared<FakeApplicationSource>())
        , iconCache(std::make_shared<FakeBundleFiles>(), std::make_shared<FakeIconLoader>(), directory.path())
        , icons(discovery, iconCache, running, windows)
    {
        running.start();
        windows.icons.insert(first, filled(Qt::red));
        windows.add(window(first.value, "Mystery"));
        windows.add(window(second.value, "Mystery"));
        windows.add(window(other.value, "Other"));
    }

    // Every picture delivered for one request.
    std::function<void(const QImage&)> collect(QList<QColor>& into)
    {
        return [&into](const QImage& image) { into.append(image.isNull() ? QColor() : image.pixelColor(0, 0)); };
    }

    const WindowId first{1};
    const WindowId second{2};
    const WindowId other{3};
    const QString bundleID = QStringLiteral("wmclass:Mystery");
    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService running;
    QTemporaryDir directory;
    AppDiscoveryService discovery;
    IconCacheService iconCache;
    TaskbarIcons icons;
};

TEST_F(TaskbarIconsTest, TheIconOfTheShownWindowIsDeliveredAgainWhenItChanges)
{
    QObject context;
    QList<QColor> delivered;
    icons.requestIcon(itemOf(bundleID), 32, &context, collect(delivered));
    ASSERT_EQ(delivered, QList<QColor>{QColor(Qt::red)});

    windows.changeIcon(first, filled(Qt::green));
    EXPECT_EQ(delivered, (QList<QColor>{Qt::red, Qt::green}));

    // Neither the application's later window nor another application's is shown on this button.
    windows.iconReads.clear();
    windows.changeIcon(second, filled(Qt::blue));
    windows.changeIcon(other, filled(Qt::blue));
    EXPECT_EQ(delivered.size(), 2);
    EXPECT_TRUE(windows.iconReads.isEmpty());
}

TEST_F(TaskbarIconsTest, ANewerRequestOfTheSameContextTakesOverTheFollowing)
{
    QObject context;
    QList<QColor> older;
    QList<QColor> newer;
    icons.requestIcon(itemOf(bundleID), 32, &context, collect(older));
    icons.requestIcon(itemOf(bundleID), 64, &context, collect(newer));
    windows.iconReads.clear();
    windows.changeIcon(first, filled(Qt::green));
    EXPECT_EQ(older, QList<QColor>{QColor(Qt::red)});
    EXPECT_EQ(newer, (QList<QColor>{Qt::red, Qt::green}));
    EXPECT_EQ(windows.iconReads, QList<WindowId>{first});

    // Installed after all: the picture now comes from the desktop entry, whatever the window shows.
    TaskbarItem installed = itemOf(bundleID);
    installed.url = QStringLiteral("/usr/share/applications/mystery.desktop");
    QList<QColor> fromEntry;
    icons.requestIcon(installed, 64, &context, collect(fromEntry));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fromEntry.isEmpty(); }));
    windows.changeIcon(first, filled(Qt::blue));
    EXPECT_EQ(newer.size(), 2);
    EXPECT_EQ(fromEntry.size(), 1);
}

TEST_F(TaskbarIconsTest, NothingIsDeliveredOnceTheContextIsGone)
{
    QList<QColor> delivered;
    {
        QObject context;
        icons.requestIcon(itemOf(bundleID), 32, &context, collect(delivered));
    }
    windows.iconReads.clear();
    windows.changeIcon(first, filled(Qt::green));
    EXPECT_EQ(delivered.size(), 1);
    EXPECT_TRUE(windows.iconReads.isEmpty());
}

} // namespace
