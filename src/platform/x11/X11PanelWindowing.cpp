#include "X11PanelWindowing.h"

#include <QCoreApplication>
#include <QSet>

#include <unistd.h>

X11PanelWindowing::X11PanelWindowing(XcbConnection connection, QObject* parent)
    : PanelWindowing(parent), m_x(connection)
{
    // One signal for a burst of panel changes (a panel maps, sets struts, the workarea follows).
    m_reservedSpaceSettle.setSingleShot(true);
    m_reservedSpaceSettle.setInterval(50);
    connect(&m_reservedSpaceSettle, &QTimer::timeout, this, &PanelWindowing::reservedSpaceChanged);
    m_x.addEventMask(m_x.root(), XCB_EVENT_MASK_PROPERTY_CHANGE);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11PanelWindowing::~X11PanelWindowing()
{
    if (auto* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

void X11PanelWindowing::makeDock(WId window)
{
    markAsPanel(static_cast<xcb_window_t>(window), "_NET_WM_WINDOW_TYPE_DOCK");
}

void X11PanelWindowing::makePopup(WId window)
{
    markAsPanel(static_cast<xcb_window_t>(window), "_NET_WM_WINDOW_TYPE_POPUP_MENU");
}

void X11PanelWindowing::markAsPanel(xcb_window_t w, const char* windowType)
{
    m_x.setCardinals(w, m_x.atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, {m_x.atom(windowType)});
    m_x.setCardinals(w, m_x.atom("_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, {0xFFFFFFFFu});
    m_x.setCardinals(w, m_x.atom("_NET_WM_STATE"), XCB_ATOM_ATOM,
                     {m_x.atom("_NET_WM_STATE_ABOVE"), m_x.atom("_NET_WM_STATE_SKIP_TASKBAR"),
                      m_x.atom("_NET_WM_STATE_SKIP_PAGER")});
    m_x.flush();
}

void X11PanelWindowing::setStrut(WId window, const std::optional<StrutPartial>& strut)
{
    const auto w = static_cast<xcb_window_t>(window);
    if (!strut) {
        m_x.deleteProperty(w, m_x.atom("_NET_WM_STRUT_PARTIAL"));
        m_x.deleteProperty(w, m_x.atom("_NET_WM_STRUT"));
    } else {
        const auto values = strut->toCardinals();
        const QList<quint32> partial(values.begin(), values.end());
        m_x.setCardinals(w, m_x.atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, partial);
        m_x.setCardinals(w, m_x.atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, partial.first(4));
    }
    m_x.flush();
}

void X11PanelWindowing::setBlur(WId window, int radius)
{
    const auto w = static_cast<xcb_window_t>(window);
    const xcb_atom_t blur = m_x.atom("_KDE_NET_WM_BLUR_BEHIND_REGION");
    // An empty region asks for blur behind the whole window.
    if (radius >= 1)
        m_x.setCardinals(w, blur, XCB_ATOM_CARDINAL, {});
    else
        m_x.deleteProperty(w, blur);
    m_x.flush();
}

QList<StrutPartial> X11PanelWindowing::otherDockStruts() const
{
    QSet<xcb_window_t> candidates;
    for (xcb_window_t w : m_x.rootChildren())
        candidates.insert(w);
    if (const auto clients = m_x.cardinals(m_x.root(), m_x.atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW))
        for (quint32 w : *clients)
            candidates.insert(w);

    const QSize root = screenSize();
    QList<StrutPartial> struts;
    for (xcb_window_t w : candidates) {
        auto values = m_x.cardinals(w, m_x.atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, 12);
        if (!values || values->size() < 12)
            values = m_x.cardinals(w, m_x.atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 4);
        if (!values || isOwnWindow(w))
            continue;
        if (const auto strut = StrutPartial::fromCardinals(*values, root))
            struts.append(*strut);
    }
    return struts;
}

QSize X11PanelWindowing::screenSize() const
{
    return {m_x.screen()->width_in_pixels, m_x.screen()->height_in_pixels};
}

bool X11PanelWindowing::isCompositing() const
{
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(0);
    const auto cookie = xcb_get_selection_owner(m_x.connection(), m_x.atom(name.constData()));
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(m_x.connection(), cookie, nullptr);
    const bool owned = reply && reply->owner != XCB_WINDOW_NONE;
    free(reply);
    return owned;
}

bool X11PanelWindowing::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    // The window manager recomputes the work area whenever a panel comes, goes or changes its
    // struts; every other window change leaves the reserved space alone, so it costs no scan.
    if (notify->window == m_x.root() && notify->atom == m_x.atom("_NET_WORKAREA"))
        m_reservedSpaceSettle.start();
    return false;
}

bool X11PanelWindowing::isOwnWindow(xcb_window_t window) const
{
    const auto pid = m_x.cardinals(window, m_x.atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 1);
    return pid && !pid->isEmpty() && pid->first() == static_cast<quint32>(::getpid());
}
