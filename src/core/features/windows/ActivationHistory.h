#pragma once

#include "core/models/WindowId.h"

#include <QHash>
#include <QList>

// The order in which windows were last active: a stand-in for their stacking, which the window
// system does not report.
class ActivationHistory {
public:
    void noteActive(WindowId id);
    void forget(WindowId id);
    // Least recently active first, so activating them in turn leaves the last one used on top.
    // Windows never seen active come first, in their given order.
    QList<WindowId> byRecency(const QList<WindowId>& windows) const;

private:
    QHash<WindowId, quint64> m_lastActive;
    quint64 m_activations = 0;
};
