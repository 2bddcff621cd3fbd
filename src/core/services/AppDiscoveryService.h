#pragma once

#include "core/models/InstalledApp.h"

#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>

class ApplicationSource;

// The applications installed on the machine, sorted by name, scanned again whenever something
// changes in the application folders (changes within half a second make one scan).
class AppDiscoveryService : public QObject {
    Q_OBJECT
    Q_PROPERTY(QList<InstalledApp> apps READ apps NOTIFY appsChanged)
public:
    explicit AppDiscoveryService(std::shared_ptr<const ApplicationSource> source, QObject* parent = nullptr);

    void start();
    void stop();
    void rescan();

    QList<InstalledApp> apps() const { return m_apps; }
    // By localised, case-insensitive name.
    static void sortByName(QList<InstalledApp>& apps);

signals:
    void appsChanged(const QList<InstalledApp>& apps);

private:
    void watchFolders();

    std::shared_ptr<const ApplicationSource> m_source;
    QList<InstalledApp> m_apps;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    QTimer m_settle;
    quint64 m_generation = 0;
};
