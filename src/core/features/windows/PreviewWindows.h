#pragma once

#include "WindowInfo.h"

#include <QHash>
#include <QList>

// Smooths successive window lists: a window missing from a fresh list stays through two refreshes
// and drops out at the third, so a window the server skips once does not flicker.
struct PreviewWindows {
    static constexpr int maxMisses = 2;

    struct Result {
        QList<WindowInfo> windows;
        QHash<WindowId, int> misses;

        bool operator==(const Result&) const = default;
    };

    static Result reconcile(const QList<WindowInfo>& previous, const QList<WindowInfo>& fresh,
                            const QHash<WindowId, int>& misses);
};
