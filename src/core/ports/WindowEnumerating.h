#pragma once

#include "core/models/WindowId.h"

#include <QSet>

#include <optional>

// Asks the display server itself, not a cached list, which windows still exist. Blocking and safe
// to call from any thread, so it runs in the background.
class WindowEnumerating {
public:
    virtual ~WindowEnumerating() = default;

    // The windows of `wanted` that exist; nothing when the server cannot be asked.
    virtual std::optional<QSet<WindowId>> existingWindows(const QSet<WindowId>& wanted) const = 0;
};
