#include "AppDiscoveryService.h"

#include "Background.h"
#include "core/ports/ApplicationSource.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcDiscovery, "app.pellux.Pellux.discovery", QtInfoMsg)

namespace {

QString nearestExistingFolder(const QString& folder)
{
    QDir dir(folder);
    while (!dir.exists() && !dir.isRoot())
        dir.setPath(QDir::cleanPath(dir.absoluteFilePath(QStringLiteral(".."))));
    return dir.absolutePath();
}

QStringList folderWithSubfolders(const QString& folder)
{
    QStringList folders { QDir(folder).absolutePath() };
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        folders.append(it.next());
    return folders;
}

} // namespace

AppDiscoveryService::AppDiscoveryService(std::shared_ptr<const ApplicationSource> source, QObject* parent)
    : QObject(parent), m_source(std::move(source))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(500);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        watchFolders();
        rescan();
    });
}

void AppDiscoveryService::start()
{
    rescan();
    watchFolders();
}

void AppDiscoveryService::stop()
{
    m_settle.stop();
    m_watcher.reset();
}

void AppDiscoveryService::rescan()
{
    // Only the newest scan is published, so an older one finishing late cannot undo it.
    const quint64 generation = ++m_generation;
    runInBackground<QList<InstalledApp>>(
        this,
        [source = m_source] {
            QList<InstalledApp> apps = source->scan();
            sortByName(apps);
            return apps;
        },
        [this, generation](const QList<InstalledApp>& apps) {
            if (generation != m_generation)
                return;
            qCInfo(lcDiscovery, "Discovered %ld apps", static_cast<long>(apps.size()));
            // The first scan is always published, even empty: others wait for it.
            if (m_scanned && apps == m_apps)
                return;
            m_scanned = true;
            m_apps = apps;
            emit appsChanged(m_apps);
        });
}

void AppDiscoveryService::sortByName(QList<InstalledApp>& apps)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(apps.begin(), apps.end(),
                     [&](const InstalledApp& a, const InstalledApp& b) { return collator.compare(a.name, b.name) < 0; });
}

void AppDiscoveryService::watchFolders()
{
    m_folders.clear();
    m_standIns.clear();
    for (const QString& folder : m_source->searchFolders()) {
        if (QDir(folder).exists()) {
            for (const QString& path : folderWithSubfolders(folder))
                m_folders.insert(path);
        } else {
            m_standIns[nearestExistingFolder(folder)].append(folder);
        }
    }
    QStringList paths = m_folders.values() + m_standIns.keys();
    paths.removeDuplicates();
    m_watcher = std::make_unique<QFileSystemWatcher>();
    if (!paths.isEmpty() && !m_watcher->addPaths(paths).isEmpty())
        qCCritical(lcDiscovery, "Failed to create FSEventStream for app directories");
    connect(m_watcher.get(), &QFileSystemWatcher::directoryChanged, this, &AppDiscoveryService::folderChanged);
}

void AppDiscoveryService::folderChanged(const QString& path)
{
    if (m_folders.contains(path)) {
        m_settle.start();
        return;
    }
    // Other files come and go in a parent such as ~/.local/share all the time; only a step towards
    // a missing folder, or the parent vanishing, changes what must be watched.
    const QStringList missing = m_standIns.value(path);
    if (std::any_of(missing.cbegin(), missing.cend(),
            [&](const QString& folder) { return nearestExistingFolder(folder) != path; }))
        m_settle.start();
}
