#include "XdgApplicationSource.h"

#include "DesktopEntry.h"
#include "DesktopExec.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

namespace {

const QString ownFileId = QStringLiteral("app.pellux.Pellux.desktop");

QStringList splitPaths(const QByteArray& value, const QStringList& fallback)
{
    const QStringList parts = QString::fromLocal8Bit(value).split(u':', Qt::SkipEmptyParts);
    return parts.isEmpty() ? fallback : parts;
}

// Every .desktop file below a folder with its file id: the relative path with '/' as '-'.
QList<std::pair<QString, QString>> desktopFiles(const QString& folder)
{
    QList<std::pair<QString, QString>> files;
    const QDir root(folder);
    QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                    QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
    while (it.hasNext()) {
        const QString path = it.next();
        files.append({root.relativeFilePath(path).replace(u'/', u'-'), path});
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

XdgApplicationSource::XdgApplicationSource(Environment environment) : m_environment(std::move(environment)) {}

XdgApplicationSource::Environment XdgApplicationSource::standardEnvironment()
{
    QString dataHome = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"));
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QStringList dataDirs{dataHome};
    dataDirs += splitPaths(qgetenv("XDG_DATA_DIRS"), {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    for (const QString& exported : {dataHome + QStringLiteral("/flatpak/exports/share"),
                                    QStringLiteral("/var/lib/flatpak/exports/share"),
                                    QStringLiteral("/var/lib/snapd/desktop")})
        if (!dataDirs.contains(exported) && QFileInfo::exists(exported))
            dataDirs.append(exported);
    Environment environment;
    for (const QString& dir : std::as_const(dataDirs))
        environment.applicationFolders.append(QDir::cleanPath(dir + QStringLiteral("/applications")));
    environment.applicationFolders.removeDuplicates();
    environment.currentDesktops = splitPaths(qgetenv("XDG_CURRENT_DESKTOP"), {});
    environment.path = splitPaths(qgetenv("PATH"), {QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/bin"),
                                                     QStringLiteral("/bin")});
    return environment;
}

QList<InstalledApp> XdgApplicationSource::scan() const
{
    QSet<QString> claimed;
    QList<InstalledApp> apps;
    for (const QString& folder : m_environment.applicationFolders) {
        for (const auto& [fileId, path] : desktopFiles(folder)) {
            // A file id is decided by its first folder, even when that entry hides the application.
            if (claimed.contains(fileId))
                continue;
            claimed.insert(fileId);
            if (fileId == ownFileId)
                continue;
            const auto entry = DesktopEntry::fromFile(path);
            if (!entry || !isListed(*entry))
                continue;
            if (const auto app = makeInstalledApp(*entry, fileId))
                apps.append(*app);
        }
    }
    return apps;
}

bool XdgApplicationSource::isListed(const DesktopEntry& entry) const
{
    if (entry.type() != u"Application" || entry.noDisplay() || entry.hidden())
        return false;
    const QStringList onlyShowIn = entry.onlyShowIn();
    const auto shownHere = [this](const QString& desktop) { return m_environment.currentDesktops.contains(desktop); };
    if (!onlyShowIn.isEmpty() && std::none_of(onlyShowIn.begin(), onlyShowIn.end(), shownHere))
        return false;
    const QStringList notShowIn = entry.notShowIn();
    if (std::any_of(notShowIn.begin(), notShowIn.end(), shownHere))
        return false;
    return entry.tryExec().isEmpty() || tryExecFound(entry.tryExec());
}

std::optional<InstalledApp> XdgApplicationSource::makeInstalledApp(const DesktopEntry& entry, const QString& fileId)
{
    const QString name = entry.name();
    const auto exec = DesktopExec::parse(entry.exec());
    if (name.isEmpty() || (!exec && !entry.dbusActivatable()))
        return std::nullopt;
    InstalledApp app;
    app.bundleID = fileId.chopped(int(qstrlen(".desktop")));
    app.name = name;
    app.url = entry.path();
    if (entry.contains(QStringLiteral("Categories")))
        app.category = entry.string(QStringLiteral("Categories"));
    app.icon = entry.icon();
    app.startupWMClass = entry.startupWmClass();
    app.tryExec = entry.tryExec();
    if (exec)
        app.exec = exec->expand({}, {}).value(0);
    return app;
}

bool XdgApplicationSource::tryExecFound(const QString& tryExec) const
{
    const auto runnable = [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    };
    if (tryExec.contains(u'/'))
        return runnable(tryExec);
    return std::any_of(m_environment.path.begin(), m_environment.path.end(),
                       [&](const QString& dir) { return runnable(dir + u'/' + tryExec); });
}
