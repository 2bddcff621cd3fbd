#pragma once

#include "XcbConnection.h"
#include "core/models/ClientWindow.h"

#include <QSet>

#include <optional>

// One client window's record, read in a single round trip from the properties EWMH and ICCCM
// give it. A change of any other property (user time, opaque region) changes nothing here.
class X11ClientReader {
public:
    static constexpr quint32 allDesktops = 0xFFFFFFFFu;

    struct Record {
        ClientWindow window;
        quint32 desktop = allDesktops;
    };

    explicit X11ClientReader(XcbConnection connection);

    // Nothing for a window that is gone.
    std::optional<Record> read(xcb_window_t window, quint32 currentDesktop) const;
    bool isRecordProperty(xcb_atom_t property) const;
    // The window's own icon, read apart by who shows it.
    bool isIconProperty(xcb_atom_t property) const;

private:
    void ensureAtoms() const;
    // The window's desktop number.
    quint32 applyState(ClientWindow& client, const QList<quint32>& states,
                       const std::optional<QList<quint32>>& desktop, quint32 currentDesktop) const;
    static QRect frameOf(const xcb_get_geometry_reply_t& geometry, const xcb_translate_coordinates_reply_t& origin,
                         const std::optional<QList<quint32>>& extents);

    XcbConnection m_x;
    mutable QSet<xcb_atom_t> m_recordAtoms;
    mutable xcb_atom_t m_iconAtom = XCB_ATOM_NONE;
};
