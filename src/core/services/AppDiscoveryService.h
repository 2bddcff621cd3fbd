#pragma once

#include "core/models/InstalledApp.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QTimer>

#include <memory>

class ApplicationSource;

// The applications installed on the machine, sorted by name, scanned again whenever something
// changes in the application folders (changes within half a second make one scan). A folder that
// does not exist yet is waited for in its nearest existing parent, whose other changes are ignored.
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
    // After the first scan, and after every later one that changed the list.
    void appsChanged(const QList<InstalledApp>& apps);

private:
    void watchFolders();
    void folderChanged(const QString& path);

    std::shared_ptr<const ApplicationSource> m_source;
    QList<InstalledApp> m_apps;
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    // Existing application folders and their subfolders.
    QSet<QString> m_folders;
    // A watched parent -> the missing application folders it stands in for.
    QHash<QString, QStringList> m_standIns;
    QTimer m_settle;
    quint64 m_generation = 0;
    bool m_scanned = false;
};
