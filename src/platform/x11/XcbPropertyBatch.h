#pragma once

#include "XcbConnection.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <vector>

// Asks for many properties of one window at once and reads the answers after, so reading a window
// costs one round trip to the X server instead of one per property.
class XcbPropertyBatch {
public:
    XcbPropertyBatch(const XcbConnection& connection, xcb_window_t window);
    ~XcbPropertyBatch();
    XcbPropertyBatch(const XcbPropertyBatch&) = delete;
    XcbPropertyBatch& operator=(const XcbPropertyBatch&) = delete;

    // Returns a ticket for the answer. `type` XCB_ATOM_ANY accepts any type.
    int ask(xcb_atom_t property, xcb_atom_t type, quint32 maxWords);
    std::optional<QList<quint32>> cardinals(int ticket, xcb_atom_t type);
    std::optional<QByteArray> bytes(int ticket);
    // An 8-bit text property decoded by its type: UTF8_STRING as UTF-8, COMPOUND_TEXT by its
    // segments, STRING (and anything else) as Latin-1.
    std::optional<QString> text(int ticket);

private:
    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    using Reply = std::unique_ptr<xcb_get_property_reply_t, Free>;
    Reply take(int ticket);
    static std::optional<QByteArray> bytesOf(const Reply& reply);

    const XcbConnection& m_x;
    xcb_window_t m_window;
    std::vector<xcb_get_property_cookie_t> m_cookies;
    std::vector<bool> m_taken;
};
