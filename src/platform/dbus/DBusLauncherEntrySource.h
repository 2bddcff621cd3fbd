#pragma once

#include "core/ports/LauncherEntrySource.h"

#include <QDBusConnection>

class QDBusMessage;
class QDBusServiceWatcher;

// Launcher-entry updates as applications send them on a bus: `Update(s app_uri, a{sv} properties)`
// signals of com.canonical.Unity.LauncherEntry from any connection and any object path. Each sender
// is watched so that its leaving the bus is told.
class DBusLauncherEntrySource : public LauncherEntrySource {
    Q_OBJECT
public:
    explicit DBusLauncherEntrySource(const QDBusConnection& bus, QObject* parent = nullptr);
    ~DBusLauncherEntrySource() override;

    void start() override;
    void stop() override;

private slots:
    void onUpdate(const QDBusMessage& message);

private:
    void watchSender(const QString& sender);
    void forgetSender(const QString& sender);
    void requestName();
    void releaseName();

    QDBusConnection m_bus;
    QDBusServiceWatcher* m_watcher;
    bool m_started = false;
};
