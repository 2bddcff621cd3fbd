#include "CaptureThrottle.h"

bool CaptureThrottle::tryStart(WindowId id, qint64 now)
{
    // Old starts decide nothing any more; dropping them keeps the map as small as the recent captures.
    m_started.removeIf([now](const auto& entry) { return now - entry.value() >= interval; });
    if (m_started.contains(id))
        return false;
    m_started.insert(id, now);
    return true;
}
