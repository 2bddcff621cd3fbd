#pragma once

#include "core/models/DockBadge.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

class LauncherEntrySource;

// The launcher badges of running applications, keyed by bundle id. Updates are partial: each key
// an application sends is merged into what it sent before, and a later value of a key wins over an
// earlier one whichever connection sent it. What a connection set goes away when it leaves the bus.
// Both maps are published only when they change.
class DockBadgeService : public QObject {
    Q_OBJECT
    Q_PROPERTY(QMap<QString, QString> badges READ badges NOTIFY badgesChanged)
    Q_PROPERTY(DockBadgeMap badgeDetails READ badgeDetails NOTIFY badgeDetailsChanged)
public:
    explicit DockBadgeService(LauncherEntrySource& source, QObject* parent = nullptr);

    void start();
    // Forgets every badge: once the source is stopped, nothing would say when a sender leaves.
    void stop();

    // Only applications with a badge text.
    QMap<QString, QString> badges() const { return m_badges; }
    // Every application that has set any known key.
    DockBadgeMap badgeDetails() const { return m_badgeDetails; }

    // "application://ID.desktop" gives "ID"; any other form gives an empty string.
    static QString bundleIDFromUri(const QString& appUri);

signals:
    void badgesChanged(const QMap<QString, QString>& badges);
    void badgeDetailsChanged(const DockBadgeMap& details);

private:
    struct Stamped {
        QVariant value;
        quint64 sequence = 0;
    };
    // The keys one sender set for one application.
    using Layer = QHash<QString, Stamped>;

    void applyUpdate(const QString& sender, const QString& appUri, const QVariantMap& properties);
    void dropSender(const QString& sender);
    void publish(const QStringList& changedApps);
    DockBadge merged(const QString& bundleID) const;

    LauncherEntrySource& m_source;
    bool m_started = false;
    QHash<QString, QHash<QString, Layer>> m_layers; // bundle id -> sender -> layer
    quint64 m_nextSequence = 0;
    QMap<QString, QString> m_badges;
    DockBadgeMap m_badgeDetails;
};
