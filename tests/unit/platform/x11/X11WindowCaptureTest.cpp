#include "platform/x11/X11WindowCapture.h"
#include "XvfbServer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <xcb/composite.h>

#include <functional>
#include <cstdlib>

namespace {

struct Visual {
    quint8 depth;
    xcb_visualid_t id;
};

std::optional<Visual> visualOfDepth(xcb_screen_t* screen, quint8 depth)
{
    if (depth == screen->root_depth)
        return Visual{depth, screen->root_visual};
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem; xcb_depth_next(&d))
        if (d.data->depth == depth)
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR)
                    return Visual{depth, v.data->visual_id};
    return std::nullopt;
}

class X11WindowCaptureTest : public XvfbTest {
protected:
    void SetUp() override
    {
        XvfbTest::SetUp();
        if (!c)
            return;
        screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        capture = std::make_unique<X11WindowCapture>(*XcbConnection::fromConnection(c));
    }

    void TearDown() override
    {
        capture.reset();
        for (xcb_window_t window : created)
            xcb_destroy_window(c, window);
        if (c)
            sync();
    }

    void sync() const { std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); }

    // A window whose server-painted background is `pixel` in the visual's own format.
    xcb_window_t createWindow(xcb_window_t parent, const Visual& visual, QRect geometry, quint32 pixel, bool map = true)
    {
        const xcb_window_t window = xcb_generate_id(c);
        const xcb_colormap_t colormap = xcb_generate_id(c);
        xcb_create_colormap(c, XCB_COLORMAP_ALLOC_NONE, colormap, screen->root, visual.id);
        const quint32 values[] = {pixel, 0, colormap};
        xcb_create_window(c, visual.depth, window, parent, geometry.x(), geometry.y(), geometry.width(),
                          geometry.height(), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, visual.id,
                          XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_COLORMAP, values);
        if (map)
            xcb_map_window(c, window);
        created.append(window);
        sync();
        return window;
    }

    QImage captureOf(xcb_window_t window, QSize size = QSize(520, 326))
    {
        QSignalSpy spy(capture.get(), &WindowCapture::captured);
        capture->requestCapture(WindowId{window}, size);
        if (!spy.wait(5'000))
            return QImage(1, 1, QImage::Format_Mono); // not null, so a missing answer fails loudly
        EXPECT_EQ(spy.at(0).at(0).value<WindowId>(), WindowId{window});
        return spy.at(0).at(1).value<QImage>();
    }

    bool isRedirected(xcb_window_t window) const
    {
        const xcb_pixmap_t pixmap = xcb_generate_id(c);
        xcb_generic_error_t* error = xcb_request_check(c, xcb_composite_name_window_pixmap_checked(c, window, pixmap));
        if (!error)
            xcb_free_pixmap(c, pixmap);
        std::free(error);
        return !error;
    }

    xcb_screen_t* screen = nullptr;
    std::unique_ptr<X11WindowCapture> capture;
    QList<xcb_window_t> created;
};

struct ColourCase {
    const char* name;
    quint8 depth;
    quint32 pixel;
    QColor expected;
};

TEST_F(X11WindowCaptureTest, CapturesASolidWindowScaledOnTheServer)
{
    const ColourCase cases[] = {
        {"24-bit RGB window", 24, 0x00d02010, QColor(0xd0, 0x20, 0x10)},
        {"32-bit ARGB window", 32, 0xff1060e0, QColor(0x10, 0x60, 0xe0)},
    };
    for (const ColourCase& test : cases) {
        const auto visual = visualOfDepth(screen, test.depth);
        if (!visual) {
            ADD_FAILURE() << test.name << ": the server has no such visual";
            continue;
        }
        const xcb_window_t window = createWindow(screen->root, *visual, QRect(0, 0, 1280, 800), test.pixel);
        const QImage image = captureOf(window);
        ASSERT_FALSE(image.isNull()) << test.name;
        EXPECT_EQ(image.size(), QSize(520, 326)) << test.name;
        // 1280 x 800 fits as 520 x 325: every corner of it has the window's colour.
        for (const QPoint p : {QPoint(0, 0), QPoint(519, 0), QPoint(0, 324), QPoint(519, 324), QPoint(260, 163)})
            EXPECT_EQ(image.pixelColor(p), test.expected) << test.name << " at " << p.x() << "," << p.y();
        EXPECT_EQ(image.pixelColor(260, 325).alpha(), 0) << test.name << ": the spare row is transparent";
    }
}

TEST_F(X11WindowCaptureTest, ShowsTheWindowWithoutItsFrame)
{
    const Visual rgb{screen->root_depth, screen->root_visual};
    const xcb_window_t frame = createWindow(screen->root, rgb, QRect(100, 50, 680, 530), 0x000000ff);
    const xcb_window_t client = createWindow(frame, rgb, QRect(20, 30, 640, 480), 0x0000ff00);
    const QImage image = captureOf(client);
    ASSERT_FALSE(image.isNull());
    // 640 x 480 fits as 435 x 326, centred.
    const int left = (520 - 435) / 2;
    EXPECT_EQ(image.pixelColor(left - 2, 163).alpha(), 0);
    for (const QPoint p : {QPoint(left + 1, 1), QPoint(left + 433, 324), QPoint(260, 163)})
        EXPECT_EQ(image.pixelColor(p), QColor(Qt::green)) << "at " << p.x() << "," << p.y();
}

TEST_F(X11WindowCaptureTest, UncapturableWindowsGiveNullImages)
{
    const Visual rgb{screen->root_depth, screen->root_visual};
    const xcb_window_t unmapped = createWindow(screen->root, rgb, QRect(0, 0, 400, 300), 0x00ffffff, false);
    EXPECT_TRUE(captureOf(unmapped).isNull()) << "unmapped, as minimized windows are";

    const xcb_window_t gone = createWindow(screen->root, rgb, QRect(0, 0, 400, 300), 0x00ffffff);
    xcb_destroy_window(c, gone);
    created.removeAll(gone);
    sync();
    EXPECT_TRUE(captureOf(gone).isNull()) << "destroyed";

    const xcb_window_t alive = createWindow(screen->root, rgb, QRect(0, 0, 400, 300), 0x00ff0000);
    EXPECT_EQ(captureOf(alive).pixelColor(260, 163), QColor(Qt::red)) << "errors before left the capture working";
}

TEST_F(X11WindowCaptureTest, RedirectsOnlyWhileThumbnailsAreShown)
{
    ASSERT_FALSE(capture->isCompositing());
    const Visual rgb{screen->root_depth, screen->root_visual};
    const xcb_window_t window = createWindow(screen->root, rgb, QRect(0, 0, 400, 300), 0x00ff0000);

    captureOf(window);
    EXPECT_FALSE(isRedirected(window)) << "a single capture gives the window back";

    capture->setRedirected(true);
    captureOf(window);
    EXPECT_TRUE(isRedirected(window));
    capture->setRedirected(false);
    captureOf(xcb_window_t(0)); // runs after the queued call on the capture thread
    EXPECT_FALSE(isRedirected(window));
}

TEST_F(X11WindowCaptureTest, CapturesUnderACompositingManager)
{
    if (QStandardPaths::findExecutable(QStringLiteral("picom")).isEmpty())
        GTEST_SKIP() << "picom is not installed";
    QProcess picom;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display());
    picom.setProcessEnvironment(environment);
    picom.start(QStringLiteral("picom"), {"--backend", "xrender", "--config", "/dev/null"});
    ASSERT_TRUE(picom.waitForStarted(5'000));
    QElapsedTimer waited;
    waited.start();
    while (!capture->isCompositing() && waited.elapsed() < 10'000)
        QThread::msleep(20);
    const bool compositing = capture->isCompositing();

    const Visual rgb{screen->root_depth, screen->root_visual};
    const xcb_window_t window = createWindow(screen->root, rgb, QRect(0, 0, 800, 600), 0x0000ff00);
    QThread::msleep(100); // picom redirects new windows when it sees them mapped
    const QImage image = captureOf(window);
    picom.terminate();
    picom.waitForFinished(5'000);

    ASSERT_TRUE(compositing) << "picom never owned _NET_WM_CM_S0";
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(260, 163), QColor(Qt::green));
}

// The events reach the capture's filter as Qt's event loop would hand them over.
struct Delivered {
    QList<WindowId> changes;
    int errors = 0;
};

TEST_F(X11WindowCaptureTest, ReportsOneChangePerWatch)
{
    const Visual rgb{screen->root_depth, screen->root_visual};
    const xcb_window_t watched = createWindow(screen->root, rgb, QRect(0, 0, 300, 200), 0x00ffffff);
    const xcb_window_t other = createWindow(screen->root, rgb, QRect(310, 0, 300, 200), 0x00ffffff);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    const quint32 black = 0;
    xcb_create_gc(c, gc, screen->root, XCB_GC_FOREGROUND, &black);
    const auto drawOn = [&](xcb_window_t window) {
        const xcb_rectangle_t box{10, 10, 50, 50};
        xcb_poly_fill_rectangle(c, window, gc, 1, &box);
    };
    const auto deliver = [&](const std::function<void()>& act) {
        QSignalSpy spy(capture.get(), &WindowCapture::contentsChanged);
        act();
        sync();
        Delivered delivered;
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            delivered.errors += event->response_type == 0;
            capture->nativeEventFilter("xcb_generic_event_t", event, nullptr);
            std::free(event);
        }
        for (const QList<QVariant>& arguments : std::as_const(spy))
            delivered.changes.append(arguments.at(0).value<WindowId>());
        return delivered;
    };

    ASSERT_TRUE(capture->watchContents(WindowId{watched}));
    EXPECT_EQ(deliver([&] { drawOn(watched); drawOn(watched); }).changes, QList<WindowId>{WindowId{watched}});
    EXPECT_TRUE(deliver([&] { drawOn(watched); }).changes.isEmpty()) << "one report per watch";
    EXPECT_TRUE(deliver([&] { drawOn(other); }).changes.isEmpty()) << "not watched";

    capture->watchContents(WindowId{watched});
    EXPECT_EQ(deliver([&] { drawOn(watched); }).changes, QList<WindowId>{WindowId{watched}}) << "watched again";

    capture->watchContents(WindowId{watched});
    capture->stopWatchingContents();
    EXPECT_TRUE(deliver([&] { drawOn(watched); }).changes.isEmpty()) << "no longer watched";

    capture->watchContents(WindowId{other});
    const Delivered gone = deliver([&] {
        xcb_destroy_window(c, other);
        created.removeAll(other);
        capture->watchContents(WindowId{other});
        capture->stopWatchingContents();
    });
    EXPECT_EQ(gone.errors, 0) << "a window that died while watched never surfaces as an error";
    xcb_free_gc(c, gc);
}

} // namespace
