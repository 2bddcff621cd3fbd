#pragma once

#include "XcbConnection.h"
#include "core/ports/WindowEnumerating.h"

// Asks the X server whether each window still exists: one pipelined round trip, safe from any
// thread because libxcb is.
class X11WindowEnumerating final : public WindowEnumerating {
public:
    explicit X11WindowEnumerating(XcbConnection connection) : m_x(connection) {}

    std::optional<QSet<WindowId>> existingWindows(const QSet<WindowId>& wanted) const override;

private:
    XcbConnection m_x;
};
