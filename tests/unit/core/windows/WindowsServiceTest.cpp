#include "core/services/RunningAppsService.h"
#include "core/services/WindowsService.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowCapture.h"
#include "fakes/FakeWindowEnumerating.h"
#include "fakes/FakeWindowSystem.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <functional>

namespace {

using State = WindowInfo::State;

const QString term = QStringLiteral("wmclass:Term");

enum class Place { OnScreen, Minimized, OtherDesktop };

ClientWindow termWindow(quint32 id, Place place = Place::OnScreen, const QString& title = QStringLiteral("shell"))
{
    ClientWindow w;
    w.id = WindowId{id};
    w.pid = 10;
    w.wmInstance = QStringLiteral("term");
    w.wmClass = QStringLiteral("Term");
    w.title = title;
    w.frame = QRect(0, 0, 640, 480);
    w.viewable = place == Place::OnScreen;
    w.minimized = place == Place::Minimized;
    w.onCurrentDesktop = place != Place::OtherDesktop;
    return w;
}

bool waitUntil(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(5'000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return done();
}

QList<quint32> ids(const QList<WindowInfo>& windows)
{
    QList<quint32> result;
    for (const WindowInfo& w : windows)
        result.append(w.windowID.value);
    return result;
}

class WindowsServiceTest : public ::testing::Test {
protected:
    WindowsServiceTest()
        : apps(windows, processes, 999)
        , enumeration(std::make_shared<FakeWindowEnumerating>())
        , service(windows, apps, capture, enumeration, [this] { return now; })
    {
        apps.start();
    }

    // The finished scan's answer reaches the service through the event loop.
    static void settle()
    {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    // Lists the windows, then lets a scan the listing started finish.
    QList<quint32> listAndSettle(int expectedScans)
    {
        const QList<quint32> result = ids(service.windowsOf(term));
        EXPECT_TRUE(waitUntil([&] { return enumeration->calls() == expectedScans; }));
        settle();
        return result;
    }

    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService apps;
    FakeWindowCapture capture;
    std::shared_ptr<FakeWindowEnumerating> enumeration;
    qint64 now = 100'000;
    WindowsService service;
};

TEST_F(WindowsServiceTest, ListsTheApplicationsWindowsByIdWithTheirStates)
{
    windows.add(termWindow(9, Place::OtherDesktop));
    windows.add(termWindow(4, Place::Minimized));
    windows.add(termWindow(6));
    windows.add(termWindow(7, Place::OtherDesktop, QString()));
    ClientWindow tiny = termWindow(8);
    tiny.frame = QRect(0, 0, 99, 400);
    windows.add(tiny);
    ClientWindow other = termWindow(2);
    other.wmClass = QStringLiteral("Other");
    windows.add(other);

    const QList<WindowInfo> listed = service.windowsOf(term);
    ASSERT_EQ(ids(listed), (QList<quint32>{4, 6, 9}));
    EXPECT_EQ(listed[0].state, State::Minimized);
    EXPECT_EQ(listed[1], (WindowInfo{WindowId{6}, "shell", 10, QRect(0, 0, 640, 480), State::Normal}));
    EXPECT_EQ(listed[2].state, State::Elsewhere);
    EXPECT_EQ(ids(service.windowsOfPid(10)), (QList<quint32>{2, 4, 6, 9}));
    EXPECT_TRUE(service.windowsOfPid(11).isEmpty());
}

TEST_F(WindowsServiceTest, HidesAnElsewhereWindowTheServerNoLongerHas)
{
    windows.add(termWindow(3));
    windows.add(termWindow(10, Place::OtherDesktop));
    windows.add(termWindow(11, Place::OtherDesktop));
    enumeration->setExisting(QSet<WindowId>{WindowId{3}, WindowId{10}});

    EXPECT_EQ(listAndSettle(1), (QList<quint32>{3, 10, 11})) << "the scan answers at a later call";
    EXPECT_EQ(listAndSettle(1), (QList<quint32>{3, 10}));
    now += 20'000;
    EXPECT_EQ(listAndSettle(2), (QList<quint32>{3, 10})) << "10 is checked again; 11 stays closed meanwhile";

    windows.update(termWindow(11));
    EXPECT_EQ(listAndSettle(2), (QList<quint32>{3, 10, 11})) << "shown on screen, its verdict is forgotten";
}

TEST_F(WindowsServiceTest, AnEnumerationThatMissesAKnownWindowJudgesNothing)
{
    windows.add(termWindow(3, Place::Minimized));
    windows.add(termWindow(10, Place::OtherDesktop));
    windows.add(termWindow(11, Place::OtherDesktop));
    enumeration->setExisting(QSet<WindowId>{WindowId{10}});

    EXPECT_EQ(listAndSettle(1), (QList<quint32>{3, 10, 11}));
    now += 14'999;
    EXPECT_EQ(listAndSettle(1), (QList<quint32>{3, 10, 11})) << "marked open, not checked again for 15 s";
    now += 1;
    enumeration->setExisting(QSet<WindowId>{WindowId{3}, WindowId{10}});
    EXPECT_EQ(listAndSettle(2), (QList<quint32>{3, 10, 11}));
    EXPECT_EQ(listAndSettle(2), (QList<quint32>{3, 10}));
}

TEST_F(WindowsServiceTest, ScansOfOneApplicationNeverOverlap)
{
    windows.add(termWindow(10, Place::OtherDesktop));
    enumeration->setExisting(QSet<WindowId>{});
    service.windowsOf(term);
    service.windowsOf(term);
    ASSERT_TRUE(waitUntil([&] { return enumeration->calls() >= 1; }));
    settle();
    EXPECT_TRUE(service.windowsOf(term).isEmpty());
    EXPECT_EQ(enumeration->calls(), 1);
}

TEST_F(WindowsServiceTest, AVerdictGoesWithTheWindowFromTheList)
{
    windows.add(termWindow(10, Place::OtherDesktop));
    enumeration->setExisting(QSet<WindowId>{});
    listAndSettle(1);
    windows.remove(WindowId{10});
    service.windowsOf(term);
    windows.add(termWindow(10, Place::OtherDesktop));
    EXPECT_EQ(listAndSettle(2), QList<quint32>{10}) << "a reused id starts without a verdict";
}

class Thumbnails : public WindowsServiceTest {
protected:
    void request(WindowId id, QObject* context = nullptr)
    {
        service.thumbnail(id, context ? context : &receiver, [this](const QImage& image) { received.append(image); });
    }

    QImage captureImage(QColor colour)
    {
        QImage image(520, 326, QImage::Format_ARGB32_Premultiplied);
        image.fill(colour);
        return image;
    }

    QObject receiver;
    QList<QImage> received;
    const WindowId window{5};
};

TEST_F(Thumbnails, AThumbnailAskedTwiceWithinTwoSecondsIsCapturedOnce)
{
    request(window);
    request(window);
    ASSERT_EQ(capture.requests.size(), 1);
    EXPECT_EQ(capture.requests[0], std::pair(window, QSize(520, 326)));

    capture.finish(window, captureImage(Qt::red));
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[0].deviceIndependentSize(), QSizeF(260, 163));
    EXPECT_EQ(received[1].pixelColor(0, 0), QColor(Qt::red));

    now += 1'999;
    request(window);
    EXPECT_EQ(capture.requests.size(), 1) << "fresh from the cache";
    EXPECT_TRUE(waitUntil([&] { return received.size() == 3; }));

    now += 1;
    request(window);
    EXPECT_EQ(capture.requests.size(), 2);
}

TEST_F(Thumbnails, AWindowThatCannotBeCapturedShowsItsLastImage)
{
    request(window);
    capture.finish(window, captureImage(Qt::blue));
    now += 5'000;

    request(window);
    ASSERT_EQ(capture.requests.size(), 2);
    capture.finish(window, QImage()); // minimized meanwhile
    ASSERT_EQ(received.size(), 2);
    EXPECT_EQ(received[1].pixelColor(0, 0), QColor(Qt::blue));

    now += 1'000;
    request(window);
    EXPECT_EQ(capture.requests.size(), 2) << "the failed capture counts: one per window every 2 s";
    ASSERT_TRUE(waitUntil([&] { return received.size() == 3; }));
    EXPECT_EQ(received[2].pixelColor(0, 0), QColor(Qt::blue));

    request(WindowId{77});
    capture.finish(WindowId{77}, QImage());
    ASSERT_EQ(received.size(), 4);
    EXPECT_TRUE(received[3].isNull()) << "never captured: nothing to show";
}

TEST_F(Thumbnails, NothingIsDeliveredToAGoneReceiver)
{
    auto* shortLived = new QObject;
    request(window, shortLived);
    delete shortLived;
    capture.finish(window, captureImage(Qt::green));
    EXPECT_TRUE(received.isEmpty());

    auto* alsoShortLived = new QObject;
    request(window, alsoShortLived); // answered from the cache, later
    delete alsoShortLived;
    QCoreApplication::processEvents();
    EXPECT_TRUE(received.isEmpty());
}

TEST_F(Thumbnails, RedirectionLastsWhileAnyViewShowsThumbnails)
{
    service.setThumbnailsShown(true);
    EXPECT_TRUE(capture.redirected);
    service.setThumbnailsShown(true);
    service.setThumbnailsShown(false);
    EXPECT_TRUE(capture.redirected) << "another view still shows thumbnails";
    service.setThumbnailsShown(false);
    EXPECT_FALSE(capture.redirected);
    service.setThumbnailsShown(false);
    service.setThumbnailsShown(true);
    EXPECT_TRUE(capture.redirected) << "an extra goodbye never leaves the count behind";
}

// While the previews are shown, a window is captured again only after its contents changed.
class WatchedThumbnails : public Thumbnails {
protected:
    void SetUp() override { service.setThumbnailsShown(true); }

    // Asks once more after the cache went stale, answers a capture if one is asked for, and
    // waits for the thumbnail; true when a capture was asked for.
    bool requestLater(WindowId id, QColor colour = Qt::green)
    {
        now += 5'000;
        const qsizetype before = received.size();
        const qsizetype captures = capture.requests.size();
        request(id);
        const bool captured = capture.requests.size() > captures;
        if (captured)
            capture.finish(id, captureImage(colour));
        EXPECT_TRUE(waitUntil([&] { return received.size() == before + 1; }));
        return captured;
    }

    void captureOnce(WindowId id, const QImage& image)
    {
        request(id);
        capture.finish(id, image);
    }
};

TEST_F(WatchedThumbnails, AnUnchangedWindowIsNotCapturedAgain)
{
    captureOnce(window, captureImage(Qt::red));
    EXPECT_TRUE(capture.watched.contains(window));
    EXPECT_FALSE(requestLater(window));
    EXPECT_EQ(received.last().pixelColor(0, 0), QColor(Qt::red));

    capture.change(window);
    EXPECT_TRUE(requestLater(window, Qt::green));
    EXPECT_EQ(received.last().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_FALSE(requestLater(window)) << "watched again by the new capture";
}

TEST_F(WatchedThumbnails, WindowsAreCapturedAgainWhenTheirChangesCannotBeTrusted)
{
    struct Case {
        const char* name;
        std::function<void(WindowId)> arrange;
    };
    const Case cases[] = {
        {"changed during the capture",
         [this](WindowId id) {
             request(id);
             capture.change(id);
             capture.finish(id, captureImage(Qt::red));
         }},
        {"the capture failed", [this](WindowId id) { captureOnce(id, QImage()); }},
        {"the display server cannot watch",
         [this](WindowId id) {
             capture.canWatch = false;
             captureOnce(id, captureImage(Qt::red));
             capture.canWatch = true;
         }},
        {"the previews were closed after the capture",
         [this](WindowId id) {
             captureOnce(id, captureImage(Qt::red));
             service.setThumbnailsShown(false);
         }},
    };
    quint32 next = 100;
    for (const Case& test : cases) {
        const WindowId id{next++};
        test.arrange(id);
        EXPECT_TRUE(requestLater(id)) << test.name;
    }
}

TEST_F(WatchedThumbnails, AnUnchangedWindowWhoseLastImageWasDroppedIsCapturedAgain)
{
    const quint32 windows = ThumbnailCache::lastKnownLimit + 50;
    for (quint32 i = 1; i <= windows; ++i)
        captureOnce(WindowId{i}, captureImage(Qt::red));
    int captured = 0;
    for (quint32 i = 1; i <= windows; ++i) {
        captured += requestLater(WindowId{i});
        EXPECT_FALSE(received.last().isNull()) << "window " << i;
    }
    EXPECT_GE(captured, 50) << "the windows whose image made room for others";
}

TEST_F(WatchedThumbnails, ClosingThePreviewsStopsTheWatch)
{
    captureOnce(window, captureImage(Qt::red));
    service.setThumbnailsShown(false);
    EXPECT_TRUE(capture.watched.isEmpty());
}

} // namespace
