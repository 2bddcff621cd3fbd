#include "X11WindowSystem.h"

#include "XcbPropertyBatch.h"
#include "core/models/NetWmIcon.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <xcb/xcb_icccm.h>

#include <array>
#include <memory>
#include <utility>

namespace {

constexpr quint32 allDesktops = 0xFFFFFFFFu;
constexpr quint32 sourcePager = 2;
constexpr quint32 iconicState = 3;
constexpr quint32 stateToggle = 2;
constexpr quint32 clientEvents = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

WindowKind kindOf(const XcbConnection& x, const std::optional<QList<quint32>>& types)
{
    if (!types || types->isEmpty())
        return WindowKind::Normal;
    const std::pair<const char*, WindowKind> known[] = {
        {"_NET_WM_WINDOW_TYPE_NORMAL", WindowKind::Normal},
        {"_NET_WM_WINDOW_TYPE_DIALOG", WindowKind::Dialog},
        {"_NET_WM_WINDOW_TYPE_UTILITY", WindowKind::Utility},
        {"_NET_WM_WINDOW_TYPE_DOCK", WindowKind::Dock},
        {"_NET_WM_WINDOW_TYPE_DESKTOP", WindowKind::Desktop},
        {"_NET_WM_WINDOW_TYPE_MENU", WindowKind::Menu},
        {"_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", WindowKind::Menu},
        {"_NET_WM_WINDOW_TYPE_POPUP_MENU", WindowKind::Menu},
        {"_NET_WM_WINDOW_TYPE_TOOLBAR", WindowKind::Toolbar},
        {"_NET_WM_WINDOW_TYPE_SPLASH", WindowKind::Splash},
        {"_NET_WM_WINDOW_TYPE_NOTIFICATION", WindowKind::Notification},
        {"_NET_WM_WINDOW_TYPE_TOOLTIP", WindowKind::Notification},
    };
    // The first type the window lists that we know decides, as EWMH asks.
    for (quint32 type : *types)
        for (const auto& [name, kind] : known)
            if (type == x.atom(name))
                return kind;
    return WindowKind::Other;
}

// What a window record is read from. The reader asks for exactly these, and the event filter re-reads
// a window only when one of them changes: user time, opaque region and the like cost nothing.
enum RecordProperty {
    NetWmName,
    WmName,
    WmClass,
    GtkApplicationId,
    KdeDesktopFile,
    BamfDesktopFile,
    NetWmPid,
    WindowType,
    TransientFor,
    Hints,
    Opacity,
    State,
    Desktop,
    FrameExtents,
    recordPropertyCount
};

struct PropertyRead {
    RecordProperty property;
    const char* name;
    const char* type; // nullptr: any type
    quint32 maxWords;
};

constexpr std::array<PropertyRead, recordPropertyCount> recordProperties{{
    {NetWmName, "_NET_WM_NAME", "UTF8_STRING", 1024},
    {WmName, "WM_NAME", nullptr, 1024},
    {WmClass, "WM_CLASS", "STRING", 256},
    {GtkApplicationId, "_GTK_APPLICATION_ID", "UTF8_STRING", 256},
    {KdeDesktopFile, "_KDE_NET_WM_DESKTOP_FILE", nullptr, 256},
    {BamfDesktopFile, "_BAMF_DESKTOP_FILE", nullptr, 256},
    {NetWmPid, "_NET_WM_PID", "CARDINAL", 1},
    {WindowType, "_NET_WM_WINDOW_TYPE", "ATOM", 32},
    {TransientFor, "WM_TRANSIENT_FOR", "WINDOW", 1},
    {Hints, "WM_HINTS", "WM_HINTS", 9},
    {Opacity, "_NET_WM_WINDOW_OPACITY", "CARDINAL", 1},
    {State, "_NET_WM_STATE", "ATOM", 64},
    {Desktop, "_NET_WM_DESKTOP", "CARDINAL", 1},
    {FrameExtents, "_NET_FRAME_EXTENTS", "CARDINAL", 4},
}};

constexpr bool inPropertyOrder()
{
    for (size_t i = 0; i < recordProperties.size(); ++i)
        if (recordProperties[i].property != RecordProperty(i))
            return false;
    return true;
}
static_assert(inPropertyOrder(), "recordProperties is indexed by RecordProperty");

} // namespace

X11WindowSystem::X11WindowSystem(XcbConnection connection, QObject* parent) : WindowSystem(parent), m_x(connection)
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
        if (event->atom == m_iconAtom)
            markIconChanged(event->window);
        else if (m_recordAtoms.contains(event->atom))
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
        const auto fresh = readWindow(id.value);
        if (!fresh)
            continue; // died in between; the client list will say so
        if (*fresh != m_windows.value(id)) {
            m_windows.insert(id, *fresh);
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
    // Client events arrive only once selected below; what the filter compares them with is ready first.
    if (m_recordAtoms.isEmpty()) {
        for (const PropertyRead& read : recordProperties)
            m_recordAtoms.insert(m_x.atom(read.name));
        m_iconAtom = m_x.atom("_NET_WM_ICON");
    }
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
        if (const auto client = readWindow(w)) {
            m_windows.insert(id, *client);
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

// Every request goes out before the first answer is read: one round trip per window.
std::optional<ClientWindow> X11WindowSystem::readWindow(xcb_window_t window) const
{
    xcb_connection_t* c = m_x.connection();
    const auto attributesCookie = xcb_get_window_attributes(c, window);
    const auto geometryCookie = xcb_get_geometry(c, window);
    const auto originCookie = xcb_translate_coordinates(c, window, m_x.root(), 0, 0);
    XcbPropertyBatch batch(m_x, window);
    const auto typeOf = [this](const PropertyRead& read) {
        return read.type ? m_x.atom(read.type) : xcb_atom_t(XCB_ATOM_ANY);
    };
    std::array<int, recordPropertyCount> tickets{};
    for (const PropertyRead& read : recordProperties)
        tickets[read.property] = batch.ask(m_x.atom(read.name), typeOf(read), read.maxWords);
    const auto bytes = [&](RecordProperty p) { return batch.bytes(tickets[p]).value_or(QByteArray()); };
    const auto cardinals = [&](RecordProperty p) { return batch.cardinals(tickets[p], typeOf(recordProperties[p])); };

    std::unique_ptr<xcb_get_window_attributes_reply_t, FreeDeleter> attributes(
        xcb_get_window_attributes_reply(c, attributesCookie, nullptr));
    std::unique_ptr<xcb_get_geometry_reply_t, FreeDeleter> geometry(xcb_get_geometry_reply(c, geometryCookie, nullptr));
    std::unique_ptr<xcb_translate_coordinates_reply_t, FreeDeleter> origin(
        xcb_translate_coordinates_reply(c, originCookie, nullptr));
    if (!attributes)
        return std::nullopt;

    ClientWindow client;
    client.id = WindowId{window};
    client.viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    client.title = QString::fromUtf8(bytes(NetWmName));
    if (client.title.isEmpty())
        client.title = batch.text(tickets[WmName]).value_or(QString());
    const QList<QByteArray> classParts = bytes(WmClass).split('\0');
    client.wmInstance = QString::fromLocal8Bit(classParts.value(0));
    client.wmClass = QString::fromLocal8Bit(classParts.value(1));
    client.gtkApplicationId = QString::fromUtf8(bytes(GtkApplicationId));
    client.kdeDesktopFile = QString::fromUtf8(bytes(KdeDesktopFile));
    client.bamfDesktopFile = QString::fromUtf8(bytes(BamfDesktopFile));
    const auto pidValue = cardinals(NetWmPid);
    client.pid = pidValue && !pidValue->isEmpty() ? static_cast<qint32>(pidValue->first()) : 0;
    client.kind = kindOf(m_x, cardinals(WindowType));
    const auto transientValue = cardinals(TransientFor);
    client.transientFor = WindowId{transientValue && !transientValue->isEmpty() ? transientValue->first() : 0};
    // Old clients write the 8 words of ICCCM 1.0, without the window group.
    if (const auto hintValues = cardinals(Hints); hintValues && !hintValues->isEmpty()) {
        const quint32 flags = hintValues->first();
        client.urgent = flags & XCB_ICCCM_WM_HINT_X_URGENCY;
        if ((flags & XCB_ICCCM_WM_HINT_WINDOW_GROUP) && hintValues->size() >= 9)
            client.groupLeader = WindowId{hintValues->at(8)};
    }
    const auto opacityValue = cardinals(Opacity);
    if (opacityValue && !opacityValue->isEmpty())
        client.opacity = opacityValue->first() / double(0xFFFFFFFFu);
    applyState(client, cardinals(State).value_or(QList<quint32>()), cardinals(Desktop));
    if (geometry && origin)
        client.frame = frameOf(*geometry, *origin, cardinals(FrameExtents));
    return client;
}

void X11WindowSystem::applyState(ClientWindow& client, const QList<quint32>& states,
                                 const std::optional<QList<quint32>>& desktop) const
{
    client.minimized = states.contains(m_x.atom("_NET_WM_STATE_HIDDEN"));
    client.skipTaskbar = states.contains(m_x.atom("_NET_WM_STATE_SKIP_TASKBAR"));
    client.fullscreen = states.contains(m_x.atom("_NET_WM_STATE_FULLSCREEN"));
    client.maximized = states.contains(m_x.atom("_NET_WM_STATE_MAXIMIZED_VERT"))
        && states.contains(m_x.atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
    client.urgent = client.urgent || states.contains(m_x.atom("_NET_WM_STATE_DEMANDS_ATTENTION"));
    const quint32 number = desktop && !desktop->isEmpty() ? desktop->first() : allDesktops;
    m_desktopOf.insert(client.id, number);
    client.onCurrentDesktop = number == allDesktops || number == m_currentDesktop;
}

// The outer frame: the client's place on the root window widened by the frame the manager drew.
QRect X11WindowSystem::frameOf(const xcb_get_geometry_reply_t& geometry, const xcb_translate_coordinates_reply_t& origin,
                               const std::optional<QList<quint32>>& extents)
{
    const bool framed = extents && extents->size() == 4;
    const int left = framed ? int(extents->at(0)) : 0;
    const int right = framed ? int(extents->at(1)) : 0;
    const int top = framed ? int(extents->at(2)) : 0;
    const int bottom = framed ? int(extents->at(3)) : 0;
    return QRect(origin.dst_x - left, origin.dst_y - top, geometry.width + left + right, geometry.height + top + bottom);
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
