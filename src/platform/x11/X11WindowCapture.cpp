#include "X11WindowCapture.h"

#include "X11CaptureWorker.h"

#include <cstdlib>
#include <memory>

X11WindowCapture::X11WindowCapture(XcbConnection connection, QObject* parent)
    : WindowCapture(parent), m_x(connection), m_worker(new X11CaptureWorker(connection))
{
    // The first screen's selection: Pellux's connection speaks for one screen.
    m_compositorSelection = m_x.atom("_NET_WM_CM_S0");
    m_thread.setObjectName(QStringLiteral("pellux-capture"));
    m_worker->moveToThread(&m_thread);
    connect(m_worker, &X11CaptureWorker::captured, this, &WindowCapture::captured);
    m_thread.start();
}

X11WindowCapture::~X11WindowCapture()
{
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
