#pragma once

#include "core/models/WindowId.h"

#include <QHash>

// At most one capture per window every `interval`: a capture reads the window's whole contents on
// the server, and the previews ask again every second. Times are milliseconds of one clock.
class CaptureThrottle {
public:
    static constexpr qint64 interval = 2'000;

    // True, and the capture counts as started, when none started within `interval`.
    bool tryStart(WindowId id, qint64 now);

private:
    QHash<WindowId, qint64> m_started;
};
