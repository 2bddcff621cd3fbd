#pragma once

#include <QMap>
#include <QString>
#include <QtGlobal>

#include <optional>

// What one application asks its launcher tile to show: a count, a progress bar, urgency.
struct DockBadge {
    std::optional<qint64> count {};
    bool countVisible = false;
    std::optional<double> progress {};
    bool progressVisible = false;
    bool urgent = false;

    // Empty when there is nothing to show. A visible count of zero or less shows no badge: an
    // application clearing its unread count to 0 expects the badge to go, not to read "0".
    QString badgeText() const
    {
        return countVisible && count && *count > 0 ? QString::number(*count) : QString();
    }

    bool operator==(const DockBadge&) const = default;
};

using DockBadgeMap = QMap<QString, DockBadge>;
