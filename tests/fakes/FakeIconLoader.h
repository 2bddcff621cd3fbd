#pragma once

#include "core/ports/IconLoading.h"

#include <QHash>
#include <QMutex>
#include <QSemaphore>

#include <atomic>

// PNG bytes per icon file as arranged by the test; counts the renders. When held, renders wait
// until the test releases them (at most ten seconds, so a broken test cannot hang).
class FakeIconLoader : public IconLoading {
public:
    std::optional<QByteArray> loadIcon(const QString& iconFile) const override
    {
        ++m_loads;
        if (m_held)
            m_gate.tryAcquire(1, 10000);
        const QMutexLocker lock(&m_mutex);
        const auto found = m_pngs.constFind(iconFile);
        return found == m_pngs.cend() ? std::nullopt : std::optional(*found);
    }

    void setPng(const QString& iconFile, const QByteArray& png)
    {
        const QMutexLocker lock(&m_mutex);
        m_pngs.insert(iconFile, png);
    }

    int loads() const { return m_loads; }
    void hold()
    {
        m_gate.tryAcquire(m_gate.available());
        m_held = true;
    }
    // Enough permits for every render that may be waiting.
    void release()
    {
        m_held = false;
        m_gate.release(m_loads);
    }

private:
    mutable QMutex m_mutex;
    QHash<QString, QByteArray> m_pngs;
    mutable std::atomic<int> m_loads = 0;
    std::atomic<bool> m_held = false;
    mutable QSemaphore m_gate;
};
