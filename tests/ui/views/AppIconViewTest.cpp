#include "ui/views/taskbar/AppIconView.h"
#include "core/features/taskbar/TaskbarIcons.h"
#include "core/services/AppDiscoveryService.h"
#include "core/services/IconCacheService.h"
#include "core/services/RunningAppsService.h"
#include "fakes/FakeApplicationSource.h"
#include "fakes/FakeBundleFiles.h"
#include "fakes/FakeIconLoader.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowSystem.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TaskbarItem item(bool running, bool active)
{
    TaskbarItem i;
    i.bundleID = QStringLiteral("org.example.App");
    i.name = QStringLiteral("App");
    i.isRunning = running;
    i.isActive = active;
    return i;
}

void enter(QWidget& widget)
{
    QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&widget, &event);
}

TEST(AppIconView, TheNameShowsAfterResting600msAndGoesOnLeaving)
{
    AppIconView view(item(false, false), 40, {}, {});
    QSignalSpy wanted(&view, &AppIconView::nameLabelWanted);
    enter(view);
    QTest::qWait(AppIconView::hoverDelayMs - 150);
    EXPECT_EQ(wanted.count(), 0);
    QTest::qWait(300);
    ASSERT_EQ(wanted.count(), 1);
    EXPECT_TRUE(wanted.at(0).at(0).toBool());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&view, &leave);
    ASSERT_EQ(wanted.count(), 2);
    EXPECT_FALSE(wanted.at(1).at(0).toBool());
}

TEST(AppIconView, LeavingEarlyShowsNoName)
{
    AppIconView view(item(false, false), 40, {}, {});
    QSignalSpy wanted(&view, &AppIconView::nameLabelWanted);
    enter(view);
    QTest::qWait(200);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&view, &leave);
    QTest::qWait(AppIconView::hoverDelayMs);
    for (const QList<QVariant>& call : wanted)
        EXPECT_FALSE(call.at(0).toBool());
}

TEST(AppIconView, AClickActivatesAndASecondaryClickAsksForTheMenu)
{
    AppIconView view(item(true, true), 40, {}, {});
    view.resize(40, 48);
    QSignalSpy activated(&view, &AppIconView::activated);
    QSignalSpy menu(&view, &AppIconView::menuRequested);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(20, 24));
    EXPECT_EQ(activated.count(), 1);
    QContextMenuEvent context(QContextMenuEvent::Mouse, QPoint(20, 24), view.mapToGlobal(QPoint(20, 24)));
    QCoreApplication::sendEvent(&view, &context);
    EXPECT_EQ(menu.count(), 1);
    EXPECT_EQ(activated.count(), 1);
}

TEST(AppIconView, AnswersForAnOlderIconRequestAreDropped)
{
    QList<std::function<void(const QImage&)>> pending;
    const AppIconView::IconRequest request = [&](const TaskbarItem&, int, QObject*, std::function<void(const QImage&)> done) {
        pending.append(std::move(done));
    };
    AppIconView view(item(false, false), 40, {}, request);
    view.setIconSize(32); // a second request
    ASSERT_EQ(pending.size(), 2);
    QImage newer(8, 8, QImage::Format_ARGB32);
    newer.fill(Qt::green);
    QImage older(8, 8, QImage::Format_ARGB32);
    older.fill(Qt::red);
    pending[1](newer);
    pending[0](older);
    view.resize(32, 48);
    const QImage shown = view.grab().toImage();
    const QPoint centre = view.currentGeometry().icon.center().toPoint();
    EXPECT_EQ(QColor(shown.pixel(centre)).green(), 255);
}

// Java and Electron programs set their window's icon after the window appears, and change it later.
TEST(AppIconView, AWindowsIconSetOrChangedLaterReachesItsButton)
{
    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService running(windows, processes, 999);
    running.start();
    QTemporaryDir directory;
    const AppDiscoveryService discovery(std::make_shared<FakeApplicationSource>());
    const IconCacheService cache(std::make_shared<FakeBundleFiles>(), std::make_shared<FakeIconLoader>(),
                                 directory.path());
    const TaskbarIcons icons(discovery, cache, running, windows);
    ClientWindow client;
    client.id = WindowId{7};
    client.pid = 70;
    client.wmClass = QStringLiteral("Mystery");
    client.viewable = true;
    client.frame = QRect(0, 0, 400, 300);
    windows.add(client);
    TaskbarItem mystery = item(true, false);
    mystery.bundleID = QStringLiteral("wmclass:Mystery");
    AppIconView view(mystery, 40, {}, [&icons](const TaskbarItem& i, int pixels, QObject* context, auto done) {
        icons.requestIcon(i, pixels, context, std::move(done));
    });
    view.resize(40, 48);
    const QPoint centre = view.currentGeometry().icon.center().toPoint();

    for (const QColor colour : {QColor(Qt::green), QColor(Qt::blue)}) {
        QImage icon(8, 8, QImage::Format_ARGB32);
        icon.fill(colour);
        windows.changeIcon(client.id, icon);
        EXPECT_EQ(view.grab().toImage().pixelColor(centre), colour) << colour.name().toStdString();
    }
}

// A running application's previews over `count` windows; resting opens them only when `shows`.
WindowPreviewConfig previews(int count, bool shows)
{
    WindowPreviewConfig config;
    config.windows = [count] {
        QList<WindowInfo> windows;
        for (int i = 1; i <= count; ++i)
            windows.append({WindowId{quint32(i)}, QStringLiteral("w"), 10, QRect(0, 0, 300, 200)});
        return windows;
    };
    config.shouldShow = [shows] { return shows; };
    return config;
}

void leave(QWidget& widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}

QList<bool> flags(const QSignalSpy& spy)
{
    QList<bool> result;
    for (const QList<QVariant>& arguments : spy)
        result.append(arguments.at(0).toBool());
    return result;
}

TEST(AppIconView, AClickTogglesThePreviewsOfSeveralWindowsAndActivatesASingleOne)
{
    const QList<std::tuple<std::optional<WindowPreviewConfig>, int, QList<bool>>> cases{
        {previews(2, true), 0, {true, false}},
        {previews(1, true), 2, {}},
        {std::nullopt, 2, {}},
    };
    for (const auto& [config, activations, previewFlags] : cases) {
        AppIconView view(item(true, false), 40, {}, {});
        view.setPreviewConfig(config);
        view.show();
        QSignalSpy activated(&view, &AppIconView::activated);
        QSignalSpy wanted(&view, &AppIconView::previewsWanted);
        QTest::mouseClick(&view, Qt::LeftButton);
        QTest::mouseClick(&view, Qt::LeftButton);
        EXPECT_EQ(activated.count(), activations);
        EXPECT_EQ(flags(wanted), previewFlags);
    }
}

TEST(AppIconView, RestingOpensThePreviewsWhenTheyApplyElseTheName)
{
    const QList<std::tuple<bool, QList<bool>, QList<bool>>> cases{
        {true, {true}, {}},
        {false, {}, {true}},
    };
    for (const auto& [shows, previewFlags, nameFlags] : cases) {
        AppIconView view(item(true, false), 40, {}, {});
        view.setPreviewConfig(previews(2, shows));
        QSignalSpy previewsWanted(&view, &AppIconView::previewsWanted);
        QSignalSpy nameWanted(&view, &AppIconView::nameLabelWanted);
        enter(view);
        QTest::qWait(AppIconView::hoverDelayMs + 150);
        EXPECT_EQ(flags(previewsWanted), previewFlags);
        EXPECT_EQ(flags(nameWanted).count(true), nameFlags.count(true));
    }
}

TEST(AppIconView, ThePreviewsStayWhileThePointerMovesIntoThemAndCloseAfterLeavingBoth)
{
    AppIconView view(item(true, false), 40, {}, {});
    view.setPreviewConfig(previews(2, true));
    view.show();
    QTest::mouseClick(&view, Qt::LeftButton);
    ASSERT_TRUE(view.isPreviewShown());
    leave(view);
    QTest::qWait(AppIconView::closeDelayMs - 150);
    view.setPreviewHovered(true);
    QTest::qWait(AppIconView::closeDelayMs + 100);
    EXPECT_TRUE(view.isPreviewShown());

    QSignalSpy wanted(&view, &AppIconView::previewsWanted);
    view.setPreviewHovered(false);
    QTest::qWait(AppIconView::closeDelayMs - 150);
    EXPECT_TRUE(view.isPreviewShown());
    QTest::qWait(300);
    EXPECT_FALSE(view.isPreviewShown());
    EXPECT_EQ(flags(wanted), QList<bool>{false});
}

} // namespace
