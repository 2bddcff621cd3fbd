#include "X11WindowCapture.h"

#include "X11CaptureWorker.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdlib>
#include <memory>

Q_LOGGING_CATEGORY(lcWindowCapture, "app.pellux.Pellux.x11", QtInfoMsg)

X11WindowCapture::X11WindowCapture(XcbConnection connection, QObject* parent)
    : WindowCapture(parent), m_x(connection), m_worker(new X11CaptureWorker(connection))
{
    // The first screen's selection: Pellux's connection speaks for one screen.
    m_compositorSelection = m_x.atom("_NET_WM_CM_S0");
    m_thread.setObjectName(QStringLiteral("pellux-capture"));
    m_worker->moveToThread(&m_thread);
    connect(m_worker, &X11CaptureWorker::captured, this, &WindowCapture::captured);
    m_thread.start();
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11WindowCapture::~X11WindowCapture()
{
    if (auto* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
    stopWatchingContents();
    // Stopped first, so the worker is idle and its redirections can be undone from here.
    m_thread.quit();
    m_thread.wait();
    m_worker->setRedirected(false);
    delete m_worker;
}

void X11WindowCapture::requestCapture(WindowId id, QSize pixelSize)
{
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, id, pixelSize] { worker->requestCapture(id, pixelSize); });
}

bool X11WindowCapture::isCompositing() const
{
    xcb_connection_t* c = m_x.connection();
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, m_compositorSelection), nullptr), &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

void X11WindowCapture::setRedirected(bool redirected)
{
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, redirected] { worker->setRedirected(redirected); });
}

bool X11WindowCapture::watchContents(WindowId id)
{
    if (!ensureDamage())
        return false;
    xcb_connection_t* c = m_x.connection();
    const auto existing = m_damages.constFind(id.value);
    // The window may be gone by now: its error must never reach Qt, and the capture that follows
    // fails on its own.
    xcb_void_cookie_t cookie;
    if (existing != m_damages.cend()) {
        // Emptying the damaged region re-arms the one report a non-empty region gives.
        cookie = xcb_damage_subtract_checked(c, existing.value(), XCB_NONE, XCB_NONE);
    } else {
        const xcb_damage_damage_t damage = xcb_generate_id(c);
        cookie = xcb_damage_create_checked(c, damage, id.value, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        m_damages.insert(id.value, damage);
    }
    xcb_discard_reply(c, cookie.sequence);
    m_x.flush();
    return true;
}

void X11WindowCapture::stopWatchingContents()
{
    xcb_connection_t* c = m_x.connection();
    // A destroyed window took its damage object along; destroying it again only earns an error.
    for (const xcb_damage_damage_t damage : std::as_const(m_damages))
        xcb_discard_reply(c, xcb_damage_destroy_checked(c, damage).sequence);
    m_damages.clear();
    m_x.flush();
}

bool X11WindowCapture::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (!m_damageEvent || m_damages.isEmpty() || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != *m_damageEvent + XCB_DAMAGE_NOTIFY)
        return false;
    const auto* notify = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
    if (m_damages.value(notify->drawable) != notify->damage)
        return false;
    emit contentsChanged(WindowId{notify->drawable});
    return true;
}

bool X11WindowCapture::ensureDamage()
{
    if (m_damageQueried)
        return m_damageEvent.has_value();
    m_damageQueried = true;
    xcb_connection_t* c = m_x.connection();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_damage_id);
    if (!extension || !extension->present) {
        qCWarning(lcWindowCapture, "The X server has no DAMAGE extension: thumbnails are captured again every time");
        return false;
    }
    // The version must be asked before the extension may be used.
    std::unique_ptr<xcb_damage_query_version_reply_t, decltype(&std::free)> version(
        xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr), &std::free);
    if (version)
        m_damageEvent = extension->first_event;
    return m_damageEvent.has_value();
}
