#pragma once

#include "XcbConnection.h"
#include "core/models/WindowId.h"

#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>

#include <xcb/render.h>

#include <optional>

// The X side of window captures, run on a thread of its own: each capture is several round trips
// and a scaled composite on the server, which must never stall the event loop. Shares the
// application's connection (libxcb is thread-safe); every request that can fail is checked, so
// errors come back here and never reach Qt's event queue.
class X11CaptureWorker : public QObject {
    Q_OBJECT
public:
    explicit X11CaptureWorker(XcbConnection connection, QObject* parent = nullptr);

    // Answered by `captured`, with a null image when the window cannot be captured.
    void requestCapture(WindowId id, QSize pixelSize);
    void setRedirected(bool redirected);

signals:
    void captured(WindowId id, const QImage& image);

private:
    struct Source {
        xcb_window_t topLevel = XCB_WINDOW_NONE;
        xcb_render_pictformat_t format = 0;
        QRect area; // the window inside its top-level's pixmap
    };

    QImage capture(xcb_window_t window, QSize pixelSize);
    bool ensureExtensions();
    std::optional<xcb_window_t> topLevelOf(xcb_window_t window) const;
    std::optional<Source> sourceOf(xcb_window_t window) const;
    xcb_pixmap_t nameWindowPixmap(xcb_window_t window) const;
    bool redirect(xcb_window_t window) const;
    void unredirect(xcb_window_t window) const;
    QImage scaled(xcb_pixmap_t pixmap, const Source& source, QSize pixelSize) const;
    QImage readImage(xcb_pixmap_t pixmap, QSize pixelSize) const;

    XcbConnection m_x;
    std::optional<bool> m_extensionsPresent;
    xcb_render_pictformat_t m_argb32 = 0;
    QHash<xcb_visualid_t, xcb_render_pictformat_t> m_visualFormats;
    bool m_keepRedirected = false;
    QSet<xcb_window_t> m_redirected;
};
