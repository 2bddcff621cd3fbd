#pragma once

#include "core/models/WindowId.h"

#include <QHash>
#include <QSet>

// Remembered answers to "is this off-screen window really closed?", trusted for `lifetime`.
// Times are milliseconds of one monotonic clock.
class WindowVerdicts {
public:
    static constexpr qint64 lifetime = 15'000;

    struct Verdict {
        bool closed = false;
        qint64 date = 0;
    };

    bool needsCheck(WindowId id, qint64 now) const;
    void record(const QSet<WindowId>& closed, const QSet<WindowId>& open, qint64 now);
    void forget(const QSet<WindowId>& ids);
    void keepOnly(const QSet<WindowId>& ids);
    QSet<WindowId> closed() const;

private:
    QHash<WindowId, Verdict> m_verdicts;
};
