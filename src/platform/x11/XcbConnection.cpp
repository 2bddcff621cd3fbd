#include "XcbConnection.h"

#include "XcbPropertyBatch.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

} // namespace

std::optional<XcbConnection> XcbConnection::fromApplication()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? fromConnection(x11->connection()) : std::nullopt;
}

std::optional<XcbConnection> XcbConnection::fromConnection(xcb_connection_t* connection)
{
    if (!connection || xcb_connection_has_error(connection))
        return std::nullopt;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return std::nullopt;
    return XcbConnection(connection, screen);
}

XcbConnection::XcbConnection(xcb_connection_t* connection, xcb_screen_t* screen)
    : m_connection(connection), m_screen(screen), m_root(screen->root)
{
}

xcb_atom_t XcbConnection::atom(const char* name) const
{
    const QByteArray key(name);
    if (const auto it = m_atoms.constFind(key); it != m_atoms.cend())
        return it.value();
    const auto cookie = xcb_intern_atom(m_connection, 0, key.size(), key.constData());
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    if (atom != XCB_ATOM_NONE)
        m_atoms.insert(key, atom);
    return atom;
}

std::optional<QList<quint32>> XcbConnection::cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                                       quint32 maxItems) const
{
    XcbPropertyBatch batch(*this, window);
    return batch.cardinals(batch.ask(property, type, maxItems), type);
}

std::optional<QByteArray> XcbConnection::bytes(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                               quint32 maxBytes) const
{
    XcbPropertyBatch batch(*this, window);
    return batch.bytes(batch.ask(property, type, (maxBytes + 3) / 4));
}

// Messages for the window manager go to the root window, which it watches with redirection.
void XcbConnection::sendRootMessage(xcb_window_t window, xcb_atom_t type, const std::array<quint32, 5>& data) const
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    for (size_t i = 0; i < data.size(); ++i)
        event.data.data32[i] = data[i];
    xcb_send_event(m_connection, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_connection);
}

void XcbConnection::setCardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                 const QList<quint32>& values) const
{
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, property, type, 32, values.size(),
                        values.constData());
}

void XcbConnection::deleteProperty(xcb_window_t window, xcb_atom_t property) const
{
    xcb_delete_property(m_connection, window, property);
}

QList<xcb_window_t> XcbConnection::rootChildren() const
{
    Reply<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_root), nullptr));
    if (!reply)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(reply.get());
    return QList<xcb_window_t>(children, children + xcb_query_tree_children_length(reply.get()));
}

void XcbConnection::addEventMask(xcb_window_t window, quint32 mask) const
{
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
        m_connection, xcb_get_window_attributes(m_connection, window), nullptr));
    if (!attributes)
        return;
    const quint32 combined = attributes->your_event_mask | mask;
    xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &combined);
}

void XcbConnection::flush() const
{
    xcb_flush(m_connection);
}
