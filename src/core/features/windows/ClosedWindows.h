#pragma once

#include "WindowInfo.h"

#include <QList>
#include <QSet>

#include <optional>

// Which off-screen windows are worth checking, and what an enumeration of the server proves.
struct ClosedWindows {
    // The elsewhere windows: the only ones that may be closed while still listed.
    static QSet<WindowId> candidates(const QList<WindowInfo>& windows);
    // The windows known to exist: the ones that are not elsewhere.
    static QSet<WindowId> known(const QList<WindowInfo>& windows);
    // Candidates the enumeration did not find; nothing when it is absent or missed a known window,
    // since then it did not see everything.
    static std::optional<QSet<WindowId>> closed(const QSet<WindowId>& candidates, const QSet<WindowId>& known,
                                                const std::optional<QSet<WindowId>>& found);
    // `windows` without the elsewhere windows judged closed, order kept.
    static QList<WindowInfo> visible(const QList<WindowInfo>& windows, const QSet<WindowId>& closed);
};
