#include "ActivationHistory.h"

#include <algorithm>

void ActivationHistory::noteActive(WindowId id)
{
    if (id)
        m_lastActive.insert(id, ++m_activations);
}

void ActivationHistory::forget(WindowId id)
{
    m_lastActive.remove(id);
}

QList<WindowId> ActivationHistory::byRecency(const QList<WindowId>& windows) const
{
    QList<WindowId> ordered = windows;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [this](WindowId a, WindowId b) { return m_lastActive.value(a) < m_lastActive.value(b); });
    return ordered;
}
