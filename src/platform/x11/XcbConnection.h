#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>

#include <xcb/xcb.h>

#include <array>
#include <optional>

// Qt's xcb connection with interned atoms and typed property reads. Reads use checked replies,
// so a window that died in between simply reads as nothing.
class XcbConnection {
public:
    // Nothing when the application does not run on the xcb platform.
    static std::optional<XcbConnection> fromApplication();
    // Over a connection the caller owns and keeps open; its first screen.
    static std::optional<XcbConnection> fromConnection(xcb_connection_t* connection);

    xcb_connection_t* connection() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    xcb_screen_t* screen() const { return m_screen; }

    xcb_atom_t atom(const char* name) const;
    std::optional<QList<quint32>> cardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                            quint32 maxItems = 4096) const;
    // The raw bytes of an 8-bit property; `type` XCB_ATOM_ANY accepts any type.
    std::optional<QByteArray> bytes(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                    quint32 maxBytes = 65536) const;
    void sendRootMessage(xcb_window_t window, xcb_atom_t type, const std::array<quint32, 5>& data) const;
    void setCardinals(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, const QList<quint32>& values) const;
    void deleteProperty(xcb_window_t window, xcb_atom_t property) const;
    QList<xcb_window_t> rootChildren() const;
    // ORs `mask` into the events selected on `window`, keeping what Qt already asked for.
    void addEventMask(xcb_window_t window, quint32 mask) const;
    void flush() const;

private:
    XcbConnection(xcb_connection_t* connection, xcb_screen_t* screen);

    xcb_connection_t* m_connection = nullptr;
    xcb_screen_t* m_screen = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    mutable QHash<QByteArray, xcb_atom_t> m_atoms;
};
