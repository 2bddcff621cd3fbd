#pragma once

#include <QHashFunctions>
#include <QtGlobal>

#include <compare>

// A top-level window of another application (an X window id on X11). 0 is none.
struct WindowId {
    quint32 value = 0;

    explicit operator bool() const { return value != 0; }
    auto operator<=>(const WindowId&) const = default;
};

inline size_t qHash(WindowId id, size_t seed = 0)
{
    return qHash(id.value, seed);
}
