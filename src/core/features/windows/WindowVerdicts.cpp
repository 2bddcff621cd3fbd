#include "WindowVerdicts.h"

bool WindowVerdicts::needsCheck(WindowId id, qint64 now) const
{
    const auto it = m_verdicts.constFind(id);
    return it == m_verdicts.cend() || now - it->date >= lifetime;
}

void WindowVerdicts::record(const QSet<WindowId>& closed, const QSet<WindowId>& open, qint64 now)
{
    for (WindowId id : closed)
        m_verdicts.insert(id, {true, now});
    for (WindowId id : open)
        m_verdicts.insert(id, {false, now});
}

void WindowVerdicts::forget(const QSet<WindowId>& ids)
{
    for (WindowId id : ids)
        m_verdicts.remove(id);
}

void WindowVerdicts::keepOnly(const QSet<WindowId>& ids)
{
    m_verdicts.removeIf([&ids](const auto& entry) { return !ids.contains(entry.key()); });
}

QSet<WindowId> WindowVerdicts::closed() const
{
    QSet<WindowId> result;
    for (auto it = m_verdicts.cbegin(); it != m_verdicts.cend(); ++it)
        if (it->closed)
            result.insert(it.key());
    return result;
}
