#include "X11GlobalClickWatch.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <xcb/xinput.h>

#include <cstdlib>

Q_LOGGING_CATEGORY(lcGlobalClicks, "app.pellux.Pellux.x11", QtInfoMsg)

namespace {

// The request's mask list: one header followed by its mask words.
struct RawPressMask {
    xcb_input_event_mask_t header;
    quint32 mask;
};

} // namespace

X11GlobalClickWatch::X11GlobalClickWatch(XcbConnection connection, QObject* parent)
    : GlobalClickWatch(parent), m_x(connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(m_x.connection(), &xcb_input_id);
    if (extension && extension->present)
        m_opcode = extension->major_opcode;
    else
        qCWarning(lcGlobalClicks, "The X server has no XInput extension: clicks in other applications are not seen");
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11GlobalClickWatch::~X11GlobalClickWatch()
{
    if (m_users > 0)
        selectRawPresses(false);
    if (auto* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

void X11GlobalClickWatch::start()
{
    if (++m_users == 1)
        selectRawPresses(true);
}

void X11GlobalClickWatch::stop()
{
    if (m_users == 0)
        return;
    if (--m_users == 0)
        selectRawPresses(false);
}

bool X11GlobalClickWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_users == 0 || m_opcode == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_GE_GENERIC)
        return false;
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension == m_opcode && generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS)
        emit pressed();
    // Qt may want the event too: it shares this connection.
    return false;
}

bool X11GlobalClickWatch::selectRawPresses(bool on)
{
    if (m_opcode == 0)
        return false;
    // Qt selects its own XInput events on the root for all devices; this selection is keyed to the
    // master devices, so it replaces nothing of Qt's.
    RawPressMask mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, on ? quint32(XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS) : 0u};
    const xcb_void_cookie_t cookie =
        xcb_input_xi_select_events_checked(m_x.connection(), m_x.root(), 1, &mask.header);
    xcb_generic_error_t* error = xcb_request_check(m_x.connection(), cookie);
    if (!error)
        return true;
    qCWarning(lcGlobalClicks, "Selecting raw button presses on the root window failed (X error %d)",
              int(error->error_code));
    std::free(error);
    return false;
}
