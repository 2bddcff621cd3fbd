#pragma once

#include "core/ports/WindowEnumerating.h"

#include <QMutex>

// Answers with the windows the test says exist, or nothing; called from a worker thread.
class FakeWindowEnumerating : public WindowEnumerating {
public:
    std::optional<QSet<WindowId>> existingWindows(const QSet<WindowId>& wanted) const override
    {
        QMutexLocker lock(&m_mutex);
        ++m_calls;
        if (!m_existing)
            return std::nullopt;
        return QSet<WindowId>(wanted).intersect(*m_existing);
    }

    void setExisting(std::optional<QSet<WindowId>> existing)
    {
        QMutexLocker lock(&m_mutex);
        m_existing = std::move(existing);
    }
    int calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }

private:
    mutable QMutex m_mutex;
    std::optional<QSet<WindowId>> m_existing;
    mutable int m_calls = 0;
};
