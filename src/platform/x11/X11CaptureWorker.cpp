#include "X11CaptureWorker.h"

#include <QLoggingCategory>
#include <QtEndian>

#include <xcb/composite.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

Q_LOGGING_CATEGORY(lcCapture, "app.pellux.Pellux.x11", QtInfoMsg)

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// Reparenting window managers nest a client a level or two deep; more is a broken tree.
constexpr int maxDepth = 16;

xcb_render_fixed_t fixed(double value)
{
    return static_cast<xcb_render_fixed_t>(std::lround(value * 65536.0));
}

bool succeeded(xcb_connection_t* c, xcb_void_cookie_t cookie)
{
    Reply<xcb_generic_error_t> error(xcb_request_check(c, cookie));
    return !error;
}

bool isArgb32(const xcb_render_pictforminfo_t& info)
{
    const xcb_render_directformat_t& d = info.direct;
    return info.type == XCB_RENDER_PICT_TYPE_DIRECT && info.depth == 32 && d.alpha_shift == 24 && d.alpha_mask == 0xff
        && d.red_shift == 16 && d.red_mask == 0xff && d.green_shift == 8 && d.green_mask == 0xff && d.blue_shift == 0
        && d.blue_mask == 0xff;
}

} // namespace

X11CaptureWorker::X11CaptureWorker(XcbConnection connection, QObject* parent) : QObject(parent), m_x(connection)
{
}

void X11CaptureWorker::requestCapture(WindowId id, QSize pixelSize)
{
    emit captured(id, capture(id.value, pixelSize));
}

void X11CaptureWorker::setRedirected(bool redirected)
{
    m_keepRedirected = redirected;
    if (redirected)
        return;
    for (xcb_window_t window : std::as_const(m_redirected))
        unredirect(window);
    m_redirected.clear();
    m_x.flush();
}

QImage X11CaptureWorker::capture(xcb_window_t window, QSize pixelSize)
{
    if (pixelSize.isEmpty() || !ensureExtensions())
        return {};
    const auto source = sourceOf(window);
    if (!source)
        return {};
    // The pixmap is named afresh for every capture: a map or resize gives the window a new one.
    xcb_pixmap_t pixmap = nameWindowPixmap(source->topLevel);
    bool redirectedHere = false;
    // Unnamed means nobody redirects the window (no compositing manager, or one that unredirects
    // full-screen windows): redirect it ourselves, automatically, so the server still draws it.
    if (!pixmap && !m_redirected.contains(source->topLevel) && redirect(source->topLevel)) {
        redirectedHere = true;
        pixmap = nameWindowPixmap(source->topLevel);
    }
    const QImage image = pixmap ? scaled(pixmap, *source, pixelSize) : QImage();
    if (pixmap)
        xcb_free_pixmap(m_x.connection(), pixmap);
    if (redirectedHere && m_keepRedirected)
        m_redirected.insert(source->topLevel);
    else if (redirectedHere)
        unredirect(source->topLevel);
    m_x.flush();
    return image;
}

bool X11CaptureWorker::ensureExtensions()
{
    if (m_extensionsPresent)
        return *m_extensionsPresent;
    xcb_connection_t* c = m_x.connection();
    // Name-window-pixmap needs Composite 0.2, picture transforms and filters Render 0.6.
    const auto compositeCookie = xcb_composite_query_version(c, 0, 4);
    const auto renderCookie = xcb_render_query_version(c, 0, 11);
    const auto formatsCookie = xcb_render_query_pict_formats(c);
    Reply<xcb_composite_query_version_reply_t> composite(xcb_composite_query_version_reply(c, compositeCookie, nullptr));
    Reply<xcb_render_query_version_reply_t> render(xcb_render_query_version_reply(c, renderCookie, nullptr));
    Reply<xcb_render_query_pict_formats_reply_t> formats(xcb_render_query_pict_formats_reply(c, formatsCookie, nullptr));
    const bool present = composite && render && formats
        && (composite->major_version > 0 || composite->minor_version >= 2)
        && (render->major_version > 0 || render->minor_version >= 6);
    if (present) {
        for (auto it = xcb_render_query_pict_formats_formats_iterator(formats.get()); it.rem; xcb_render_pictforminfo_next(&it))
            if (isArgb32(*it.data))
                m_argb32 = it.data->id;
        for (auto screen = xcb_render_query_pict_formats_screens_iterator(formats.get()); screen.rem;
             xcb_render_pictscreen_next(&screen))
            for (auto depth = xcb_render_pictscreen_depths_iterator(screen.data); depth.rem;
                 xcb_render_pictdepth_next(&depth))
                for (auto visual = xcb_render_pictdepth_visuals_iterator(depth.data); visual.rem;
                     xcb_render_pictvisual_next(&visual))
                    m_visualFormats.insert(visual.data->visual, visual.data->format);
    }
    m_extensionsPresent = present && m_argb32 != 0;
    if (!*m_extensionsPresent)
        qCWarning(lcCapture) << "No window thumbnails: the X server lacks Composite 0.2 or Render 0.6";
    return *m_extensionsPresent;
}

std::optional<xcb_window_t> X11CaptureWorker::topLevelOf(xcb_window_t window) const
{
    xcb_connection_t* c = m_x.connection();
    for (int depth = 0; depth < maxDepth; ++depth) {
        Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
        if (!tree)
            return std::nullopt;
        if (tree->parent == tree->root || tree->parent == XCB_WINDOW_NONE)
            return window;
        window = tree->parent;
    }
    return std::nullopt;
}

// The top-level window (the window manager's frame, or the window itself) holds the pixmap;
// the window is the part of it that the thumbnail shows, without decorations.
std::optional<X11CaptureWorker::Source> X11CaptureWorker::sourceOf(xcb_window_t window) const
{
    const auto topLevel = topLevelOf(window);
    if (!topLevel)
        return std::nullopt;
    xcb_connection_t* c = m_x.connection();
    const auto geometryCookie = xcb_get_geometry(c, window);
    const auto topGeometryCookie = xcb_get_geometry(c, *topLevel);
    const auto offsetCookie = xcb_translate_coordinates(c, window, *topLevel, 0, 0);
    const auto attributesCookie = xcb_get_window_attributes(c, *topLevel);
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, geometryCookie, nullptr));
    Reply<xcb_get_geometry_reply_t> topGeometry(xcb_get_geometry_reply(c, topGeometryCookie, nullptr));
    Reply<xcb_translate_coordinates_reply_t> offset(xcb_translate_coordinates_reply(c, offsetCookie, nullptr));
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(c, attributesCookie, nullptr));
    // Unmapped windows (minimized, on another desktop) have no contents to name.
    if (!geometry || !topGeometry || !offset || !attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return std::nullopt;
    const auto format = m_visualFormats.constFind(attributes->visual);
    if (format == m_visualFormats.cend() || geometry->width == 0 || geometry->height == 0)
        return std::nullopt;
    // The pixmap includes the top-level's border; the window's position is measured inside it.
    const int border = topGeometry->border_width;
    return Source{*topLevel, format.value(),
                  QRect(offset->dst_x + border, offset->dst_y + border, geometry->width, geometry->height)};
}

xcb_pixmap_t X11CaptureWorker::nameWindowPixmap(xcb_window_t window) const
{
    xcb_connection_t* c = m_x.connection();
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    return succeeded(c, xcb_composite_name_window_pixmap_checked(c, window, pixmap)) ? pixmap : xcb_pixmap_t(XCB_PIXMAP_NONE);
}

bool X11CaptureWorker::redirect(xcb_window_t window) const
{
    xcb_connection_t* c = m_x.connection();
    return succeeded(c, xcb_composite_redirect_window_checked(c, window, XCB_COMPOSITE_REDIRECT_AUTOMATIC));
}

void X11CaptureWorker::unredirect(xcb_window_t window) const
{
    xcb_connection_t* c = m_x.connection();
    // The window may be gone by now; the answer does not matter, only that Qt never sees the error.
    xcb_discard_reply(c, xcb_composite_unredirect_window_checked(c, window, XCB_COMPOSITE_REDIRECT_AUTOMATIC).sequence);
}

// Scales on the server with a picture transform, so only the small image crosses the wire.
QImage X11CaptureWorker::scaled(xcb_pixmap_t pixmap, const Source& source, QSize pixelSize) const
{
    xcb_connection_t* c = m_x.connection();
    const double scale = std::min(double(pixelSize.width()) / source.area.width(),
                                  double(pixelSize.height()) / source.area.height());
    const QSize fitted(std::max(1L, std::lround(source.area.width() * scale)),
                       std::max(1L, std::lround(source.area.height() * scale)));
    const QPoint origin((pixelSize.width() - fitted.width()) / 2, (pixelSize.height() - fitted.height()) / 2);

    const xcb_render_picture_t sourcePicture = xcb_generate_id(c);
    const xcb_pixmap_t target = xcb_generate_id(c);
    const xcb_render_picture_t targetPicture = xcb_generate_id(c);
    std::vector<xcb_void_cookie_t> checks;
    checks.push_back(xcb_render_create_picture_checked(c, sourcePicture, pixmap, source.format, 0, nullptr));
    checks.push_back(xcb_create_pixmap_checked(c, 32, target, m_x.root(), pixelSize.width(), pixelSize.height()));
    checks.push_back(xcb_render_create_picture_checked(c, targetPicture, target, m_argb32, 0, nullptr));
    // The transform maps target pixels to source pixels: shrink, then shift to the window's place.
    const xcb_render_transform_t transform{fixed(1 / scale), 0, fixed(source.area.x()),
                                           0, fixed(1 / scale), fixed(source.area.y()),
                                           0, 0, fixed(1)};
    checks.push_back(xcb_render_set_picture_transform_checked(c, sourcePicture, transform));
    static constexpr char bilinear[] = "bilinear";
    checks.push_back(xcb_render_set_picture_filter_checked(c, sourcePicture, sizeof bilinear - 1, bilinear, 0, nullptr));
    const xcb_rectangle_t whole{0, 0, quint16(pixelSize.width()), quint16(pixelSize.height())};
    checks.push_back(xcb_render_fill_rectangles_checked(c, XCB_RENDER_PICT_OP_SRC, targetPicture, {0, 0, 0, 0}, 1, &whole));
    checks.push_back(xcb_render_composite_checked(c, XCB_RENDER_PICT_OP_SRC, sourcePicture, XCB_RENDER_PICTURE_NONE,
                                                  targetPicture, 0, 0, 0, 0, qint16(origin.x()), qint16(origin.y()),
                                                  quint16(fitted.width()), quint16(fitted.height())));
    QImage image = readImage(target, pixelSize);
    bool ok = true;
    for (const xcb_void_cookie_t cookie : checks)
        ok = succeeded(c, cookie) && ok;
    checks = {xcb_render_free_picture_checked(c, sourcePicture), xcb_render_free_picture_checked(c, targetPicture),
              xcb_free_pixmap_checked(c, target)};
    for (const xcb_void_cookie_t cookie : checks)
        xcb_discard_reply(c, cookie.sequence);
    return ok ? image : QImage();
}

QImage X11CaptureWorker::readImage(xcb_pixmap_t pixmap, QSize pixelSize) const
{
    xcb_connection_t* c = m_x.connection();
    Reply<xcb_get_image_reply_t> reply(xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, 0, 0, pixelSize.width(), pixelSize.height(), ~0u),
        nullptr));
    const qsizetype pixels = qsizetype(pixelSize.width()) * pixelSize.height();
    if (!reply || reply->depth != 32 || xcb_get_image_data_length(reply.get()) < pixels * 4)
        return {};
    // 32 bits per pixel leaves no scanline padding; the byte order is the server's.
    QImage image(pixelSize, QImage::Format_ARGB32_Premultiplied);
    const auto* data = reinterpret_cast<const uchar*>(xcb_get_image_data(reply.get()));
    const bool bigEndian = xcb_get_setup(c)->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    auto* out = reinterpret_cast<quint32*>(image.bits());
    for (qsizetype i = 0; i < pixels; ++i)
        out[i] = bigEndian ? qFromBigEndian<quint32>(data + i * 4) : qFromLittleEndian<quint32>(data + i * 4);
    return image;
}
