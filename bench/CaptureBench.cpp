// One thumbnail of a 1280 x 800 window, scaled on the server to 520 x 326, from the request to
// the image on the calling thread. Needs an X display: bench/capture.py runs it on private ones,
// with and without a compositing manager.
#include "platform/x11/X11WindowCapture.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

struct Reply {
    void operator()(void* p) const { std::free(p); }
};

bool isViewable(xcb_connection_t* c, xcb_window_t window)
{
    std::unique_ptr<xcb_get_window_attributes_reply_t, Reply> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// A plain window the window manager maps, painted by the server in one colour.
xcb_window_t showWindow(xcb_connection_t* c, xcb_screen_t* screen)
{
    const xcb_window_t window = xcb_generate_id(c);
    const quint32 background = 0x00336699;
    xcb_create_window(c, screen->root_depth, window, screen->root, 0, 0, 1280, 800, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL, &background);
    xcb_map_window(c, window);
    xcb_flush(c);
    for (int tries = 0; tries < 500 && !isViewable(c, window); ++tries)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    return window;
}

void captureOfALargeWindow(benchmark::State& state)
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const auto connection = xcb_connection_has_error(c) ? std::nullopt : XcbConnection::fromConnection(c);
    if (!connection) {
        state.SkipWithError("needs an X display");
        xcb_disconnect(c);
        return;
    }
    const xcb_window_t window = showWindow(c, connection->screen());
    {
        X11WindowCapture capture(*connection);
        const QSize size(520, 326);
        QImage image;
        bool answered = false;
        QObject::connect(&capture, &WindowCapture::captured, [&](WindowId, const QImage& captured) {
            image = captured;
            answered = true;
        });
        const auto captureOnce = [&] {
            answered = false;
            capture.requestCapture(WindowId{window}, size);
            while (!answered)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        };
        capture.setRedirected(true);
        captureOnce();
        if (image.isNull())
            state.SkipWithError("the window could not be captured");
        else
            for (auto _ : state)
                captureOnce();
        state.SetLabel(capture.isCompositing() ? "compositing manager" : "no compositing manager");
    }
    xcb_destroy_window(c, window);
    xcb_disconnect(c);
}

BENCHMARK(captureOfALargeWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
