#include "XcbPropertyBatch.h"

XcbPropertyBatch::XcbPropertyBatch(const XcbConnection& connection, xcb_window_t window)
    : m_x(connection), m_window(window)
{
}

// Answers nobody read are thrown away, or they would wait in the connection for ever.
XcbPropertyBatch::~XcbPropertyBatch()
{
    for (size_t i = 0; i < m_cookies.size(); ++i)
        if (!m_taken[i])
            xcb_discard_reply(m_x.connection(), m_cookies[i].sequence);
}

int XcbPropertyBatch::ask(xcb_atom_t property, xcb_atom_t type, quint32 maxWords)
{
    m_cookies.push_back(xcb_get_property(m_x.connection(), 0, m_window, property, type, 0, maxWords));
    m_taken.push_back(false);
    return static_cast<int>(m_cookies.size() - 1);
}

XcbPropertyBatch::Reply XcbPropertyBatch::take(int ticket)
{
    if (ticket < 0 || size_t(ticket) >= m_cookies.size() || m_taken[ticket])
        return nullptr;
    m_taken[ticket] = true;
    return Reply(xcb_get_property_reply(m_x.connection(), m_cookies[ticket], nullptr));
}

std::optional<QList<quint32>> XcbPropertyBatch::cardinals(int ticket, xcb_atom_t type)
{
    const Reply reply = take(ticket);
    if (!reply || reply->type != type || reply->format != 32)
        return std::nullopt;
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    return QList<quint32>(data, data + count);
}

std::optional<QByteArray> XcbPropertyBatch::bytes(int ticket)
{
    const Reply reply = take(ticket);
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 8)
        return std::nullopt;
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return QByteArray(data, xcb_get_property_value_length(reply.get()));
}
