#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

// Where applications' launcher-entry updates (count, progress, urgency) come from. A sender is the
// connection that sent an update; senderGone tells that it left, so what it set no longer holds.
class LauncherEntrySource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void start() = 0;
    virtual void stop() = 0;

signals:
    // `properties` holds only the keys the sender changed.
    void updated(const QString& sender, const QString& appUri, const QVariantMap& properties);
    void senderGone(const QString& sender);
};
