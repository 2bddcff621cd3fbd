#include "X11ClientReader.h"

#include "XcbPropertyBatch.h"

#include <xcb/xcb_icccm.h>

#include <array>
#include <memory>

namespace {

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

X11ClientReader::X11ClientReader(XcbConnection connection) : m_x(connection) {}

bool X11ClientReader::isRecordProperty(xcb_atom_t property) const
{
    ensureAtoms();
    return m_recordAtoms.contains(property);
}

bool X11ClientReader::isIconProperty(xcb_atom_t property) const
{
    ensureAtoms();
    return property == m_iconAtom;
}

// Interned on first use, not at start-up: that costs a round trip per name.
void X11ClientReader::ensureAtoms() const
{
    if (!m_recordAtoms.isEmpty())
        return;
    for (const PropertyRead& read : recordProperties)
        m_recordAtoms.insert(m_x.atom(read.name));
    m_iconAtom = m_x.atom("_NET_WM_ICON");
}

// Every request goes out before the first answer is read: one round trip per window.
std::optional<X11ClientReader::Record> X11ClientReader::read(xcb_window_t window, quint32 currentDesktop) const
{
    ensureAtoms();
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
    const quint32 desktop = applyState(client, cardinals(State).value_or(QList<quint32>()), cardinals(Desktop),
                                       currentDesktop);
    if (geometry && origin)
        client.frame = frameOf(*geometry, *origin, cardinals(FrameExtents));
    return Record{client, desktop};
}

quint32 X11ClientReader::applyState(ClientWindow& client, const QList<quint32>& states,
                                    const std::optional<QList<quint32>>& desktop, quint32 currentDesktop) const
{
    client.minimized = states.contains(m_x.atom("_NET_WM_STATE_HIDDEN"));
    client.skipTaskbar = states.contains(m_x.atom("_NET_WM_STATE_SKIP_TASKBAR"));
    client.fullscreen = states.contains(m_x.atom("_NET_WM_STATE_FULLSCREEN"));
    client.maximized = states.contains(m_x.atom("_NET_WM_STATE_MAXIMIZED_VERT"))
        && states.contains(m_x.atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
    client.urgent = client.urgent || states.contains(m_x.atom("_NET_WM_STATE_DEMANDS_ATTENTION"));
    const quint32 number = desktop && !desktop->isEmpty() ? desktop->first() : allDesktops;
    client.onCurrentDesktop = number == allDesktops || number == currentDesktop;
    return number;
}

// The outer frame: the client's place on the root window widened by the frame the manager drew.
QRect X11ClientReader::frameOf(const xcb_get_geometry_reply_t& geometry, const xcb_translate_coordinates_reply_t& origin,
                               const std::optional<QList<quint32>>& extents)
{
    const bool framed = extents && extents->size() == 4;
    const int left = framed ? int(extents->at(0)) : 0;
    const int right = framed ? int(extents->at(1)) : 0;
    const int top = framed ? int(extents->at(2)) : 0;
    const int bottom = framed ? int(extents->at(3)) : 0;
    return QRect(origin.dst_x - left, origin.dst_y - top, geometry.width + left + right, geometry.height + top + bottom);
}
