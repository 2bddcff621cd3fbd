#include "X11WindowSystem.h"

#include "core/models/NetWmIcon.h"

#include <QCoreApplication>

#include <utility>

namespace {

constexpr quint32 allDesktops = X11ClientReader::allDesktops;
constexpr quint32 sourcePager = 2;
constexpr quint32 iconicState = 3;
constexpr quint32 stateToggle = 2;
constexpr quint32 clientEvents = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

} // namespace

X11WindowSystem::X11WindowSystem(XcbConnection connection, QObject* parent)
    : WindowSystem(parent), m_x(connection), m_reader(connection)
{
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    connect(&m_flushTimer, &QTimer::timeout, this, &X11WindowSystem::flush);
    m_x.addEventMask(m_x.root(), XCB_EVENT_MASK_PROPERTY_CHANGE);
    QCoreApplication::instance()->installNativeEventFilter(this);
    // The first read waits for the event loop, so it never delays the bars' first appearance.
    scheduleFlush();
}

X11WindowSystem::~X11WindowSystem()
{
    if (auto* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

std::optional<ClientWindow> X11WindowSystem::window(WindowId id) const
{
    const auto it = m_windows.constFind(id);
    if (it == m_windows.cend())
        return std::nullopt;
    return it.value();
}

QImage X11WindowSystem::icon(WindowId id, int pixelSize) const
{
    // Several sizes of a large icon fit in 4 MiB; a property beyond that is not worth reading.
    constexpr quint32 maxWords = 1024 * 1024;
    const auto words = m_x.cardinals(id.value, m_x.atom("_NET_WM_ICON"), XCB_ATOM_CARDINAL, maxWords);
    return words ? NetWmIcon::bestImage(*words, pixelSize) : QImage();
}

void X11WindowSystem::requestActivate(WindowId id)
{
    const quint32 desktop = m_desktopOf.value(id, allDesktops);
    if (desktop != allDesktops && desktop != m_currentDesktop)
        requestSwitchDesktop(static_cast<int>(desktop));
    m_x.sendRootMessage(id.value, m_x.atom("_NET_ACTIVE_WINDOW"), {sourcePager, timestamp(), m_active.value, 0, 0});
}

void X11WindowSystem::requestMinimize(WindowId id)
{
    m_x.sendRootMessage(id.value, m_x.atom("WM_CHANGE_STATE"), {iconicState, 0, 0, 0, 0});
}

void X11WindowSystem::requestClose(WindowId id)
{
    m_x.sendRootMessage(id.value, m_x.atom("_NET_CLOSE_WINDOW"), {timestamp(), sourcePager, 0, 0, 0});
}

void X11WindowSystem::requestToggleMaximize(WindowId id)
{
    m_x.sendRootMessage(id.value, m_x.atom("_NET_WM_STATE"),
                        {stateToggle, m_x.atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                         m_x.atom("_NET_WM_STATE_MAXIMIZED_HORZ"), sourcePager, 0});
}

void X11WindowSystem::requestMoveResize(WindowId id, const QRect& frame)
{
    // North-west gravity places the frame's corner; the size asked for is the client's.
    const auto extents = m_x.cardinals(id.value, m_x.atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 4)
                             .value_or(QList<quint32>{0, 0, 0, 0});
    const int horizontal = extents.size() == 4 ? int(extents[0] + extents[1]) : 0;
    const int vertical = extents.size() == 4 ? int(extents[2] + extents[3]) : 0;
    constexpr quint32 northWest = 1;
    constexpr quint32 allFields = (1u << 8) | (1u << 9) | (1u << 10) | (1u << 11);
    m_x.sendRootMessage(id.value, m_x.atom("_NET_MOVERESIZE_WINDOW"),
                        {northWest | allFields | (sourcePager << 12), quint32(frame.x()), quint32(frame.y()),
                         quint32(std::max(1, frame.width() - horizontal)),
                         quint32(std::max(1, frame.height() - vertical))});
}

void X11WindowSystem::requestShowingDesktop(bool showing)
{
    m_x.sendRootMessage(m_x.root(), m_x.atom("_NET_SHOWING_DESKTOP"), {showing ? 1u : 0u, 0, 0, 0, 0});
}

void X11WindowSystem::requestSwitchDesktop(int desktop)
{
    m_x.sendRootMessage(m_x.root(), m_x.atom("_NET_CURRENT_DESKTOP"), {quint32(desktop), timestamp(), 0, 0, 0});
}

bool X11WindowSystem::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & ~0x80) {
    case XCB_PROPERTY_NOTIFY:
        handlePropertyNotify(reinterpret_cast<const xcb_property_notify_event_t*>(event));
        break;
    case XCB_CONFIGURE_NOTIFY:
        markDirty(reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window);
        break;
    case XCB_MAP_NOTIFY:
        markDirty(reinterpret_cast<const xcb_map_notify_event_t*>(event)->window);
        break;
    case XCB_UNMAP_NOTIFY:
        markDirty(reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window);
        break;
    case XCB_DESTROY_NOTIFY:
        if (m_windows.contains(WindowId{reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window})) {
            m_clientListDirty = true;
            scheduleFlush();
        }
        break;
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE:
        m_lastEventTime = reinterpret_cast<const xcb_button_press_event_t*>(event)->time;
        break;
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE:
        m_lastEventTime = reinterpret_cast<const xcb_key_press_event_t*>(event)->time;
        break;
    default:
        break;
    }
    return false;
}

void X11WindowSystem::handlePropertyNotify(const xcb_property_notify_event_t* event)
{
    m_lastEventTime = event->time;
    if (event->window != m_x.root()) {
        if (m_reader.isIconProperty(event->atom))
            markIconChanged(event->window);
        else if (m_reader.isRecordProperty(event->atom))
            markDirty(event->window);
        return;
    }
    if (event->atom == m_x.atom("_NET_CLIENT_LIST"))
        m_clientListDirty = true;
    else if (event->atom == m_x.atom("_NET_ACTIVE_WINDOW"))
        m_activeDirty = true;
    else if (event->atom == m_x.atom("_NET_CURRENT_DESKTOP"))
        m_desktopDirty = true;
    else
        return;
    scheduleFlush();
}

void X11WindowSystem::markDirty(xcb_window_t window)
{
    const WindowId id{window};
    if (!m_windows.contains(id))
        return;
    m_dirty.insert(id);
    scheduleFlush();
}

void X11WindowSystem::markIconChanged(xcb_window_t window)
{
    const WindowId id{window};
    if (!m_windows.contains(id))
        return;
    m_iconsChanged.insert(id);
    scheduleFlush();
}

void X11WindowSystem::scheduleFlush()
{
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void X11WindowSystem::flush()
{
    QList<WindowId> added;
    QList<WindowId> removed;
    if (m_clientListDirty)
        added = readClientList(removed);
    if (m_desktopDirty) {
        m_currentDesktop = readCurrentDesktop();
        m_dirty.unite(QSet<WindowId>(m_order.begin(), m_order.end()));
    }
    QList<WindowId> updated;
    for (WindowId id : std::as_const(m_dirty)) {
        if (added.contains(id) || !m_windows.contains(id))
            continue;
        const auto fresh = m_reader.read(id.value, m_currentDesktop);
        if (!fresh)
            continue; // died in between; the client list will say so
        m_desktopOf.insert(id, fresh->desktop);
        if (fresh->window != m_windows.value(id)) {
            m_windows.insert(id, fresh->window);
            updated.append(id);
        }
    }
    m_dirty.clear();
    m_clientListDirty = m_desktopDirty = false;
    const QSet<WindowId> iconsChanged = std::exchange(m_iconsChanged, {});

    WindowId active = m_active;
    if (m_activeDirty) {
        const auto value = m_x.cardinals(m_x.root(), m_x.atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 1);
        active = WindowId{value && !value->isEmpty() ? value->first() : 0};
        m_activeDirty = false;
    }
    if (!added.isEmpty() || !removed.isEmpty())
        emit windowsChanged(added, removed);
    if (!updated.isEmpty())
        emit windowsUpdated(updated);
    if (active != m_active) {
        m_active = active;
        emit activeWindowChanged(active);
    }
    for (WindowId id : iconsChanged)
        if (m_windows.contains(id))
            emit iconChanged(id);
}

QList<WindowId> X11WindowSystem::readClientList(QList<WindowId>& removed)
{
    const auto list = m_x.cardinals(m_x.root(), m_x.atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW).value_or(QList<quint32>());
    QSet<WindowId> listed;
    QList<WindowId> added;
    for (quint32 w : list) {
        const WindowId id{w};
        listed.insert(id);
        if (m_windows.contains(id))
            continue;
        m_x.addEventMask(w, clientEvents);
        // Read after selecting events, so no change slips in between.
        if (const auto record = m_reader.read(w, m_currentDesktop)) {
            m_windows.insert(id, record->window);
            m_desktopOf.insert(id, record->desktop);
            m_order.append(id);
            added.append(id);
        }
    }
    for (auto it = m_order.begin(); it != m_order.end();) {
        if (listed.contains(*it)) {
            ++it;
            continue;
        }
        removed.append(*it);
        m_windows.remove(*it);
        m_desktopOf.remove(*it);
        it = m_order.erase(it);
    }
    return added;
}

quint32 X11WindowSystem::readCurrentDesktop() const
{
    const auto value = m_x.cardinals(m_x.root(), m_x.atom("_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL, 1);
    return value && !value->isEmpty() ? value->first() : 0;
}

quint32 X11WindowSystem::timestamp() const
{
    return m_lastEventTime;
}
