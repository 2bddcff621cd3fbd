#include "IconThemeLookup.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <limits>

namespace {

const QString fallbackTheme = QStringLiteral("hicolor");
const std::array<QString, 3> extensions { QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("xpm") };

QStringList splitPaths(const QString& text, const QString& fallback)
{
    return (text.isEmpty() ? fallback : text).split(u':', Qt::SkipEmptyParts);
}

QString withoutIconExtension(const QString& name)
{
    for (const QString& extension : extensions) {
        if (name.endsWith(u'.' + extension))
            return name.chopped(extension.size() + 1);
    }
    return name;
}

// The first existing file named `name` with one of the icon extensions in `folder`.
std::optional<QString> fileIn(const QString& folder, const QString& name)
{
    for (const QString& extension : extensions) {
        const QString path = folder + u'/' + name + u'.' + extension;
        if (QFileInfo(path).isFile())
            return path;
    }
    return std::nullopt;
}

} // namespace

IconThemeLookup::IconThemeLookup(QString themeName, QStringList baseDirs, QStringList pixmapDirs)
    : m_baseDirs(std::move(baseDirs))
    , m_pixmapDirs(std::move(pixmapDirs))
    , m_themeName(std::move(themeName))
{
}

QStringList IconThemeLookup::defaultBaseDirs()
{
    const QString home = QDir::homePath();
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = home + QStringLiteral("/.local/share");
    // ~/.icons is searched first, so a theme the user copied there wins over an installed one.
    QStringList dirs { home + QStringLiteral("/.icons"), dataHome + QStringLiteral("/icons") };
    for (const QString& dataDir :
        splitPaths(qEnvironmentVariable("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share")))
        dirs.append(dataDir + QStringLiteral("/icons"));
    dirs.removeDuplicates();
    return dirs;
}

QStringList IconThemeLookup::defaultPixmapDirs()
{
    return { QStringLiteral("/usr/share/pixmaps") };
}

QString IconThemeLookup::themeName() const
{
    const QMutexLocker lock(&m_mutex);
    return m_themeName;
}

void IconThemeLookup::setThemeName(const QString& name)
{
    const QMutexLocker lock(&m_mutex);
    m_themeName = name;
}

bool IconThemeLookup::hasTheme(const QString& name) const
{
    return theme(name) != nullptr;
}

std::optional<QString> IconThemeLookup::findIcon(const QString& name, int size, int scale) const
{
    if (name.isEmpty() || size <= 0 || scale <= 0)
        return std::nullopt;
    if (QDir::isAbsolutePath(name)) {
        if (QFileInfo(name).isFile())
            return name;
        return std::nullopt;
    }
    // A relative path names no theme icon.
    if (name.contains(u'/'))
        return std::nullopt;
    const QString iconName = withoutIconExtension(name);
    for (const auto& theme : themeChain()) {
        if (std::optional<QString> file = findInTheme(*theme, iconName, size, scale))
            return file;
    }
    return findInPixmaps(iconName);
}

std::shared_ptr<const IconTheme> IconThemeLookup::theme(const QString& name) const
{
    const QMutexLocker lock(&m_mutex);
    if (const auto found = m_themes.constFind(name); found != m_themes.cend())
        return *found;
    std::optional<IconTheme> loaded = IconTheme::load(name, m_baseDirs);
    auto theme = loaded ? std::make_shared<const IconTheme>(std::move(*loaded)) : nullptr;
    m_themes.insert(name, theme);
    return theme;
}

QList<std::shared_ptr<const IconTheme>> IconThemeLookup::themeChain() const
{
    QList<std::shared_ptr<const IconTheme>> chain;
    QStringList visited;
    appendWithParents(themeName(), chain, visited);
    appendWithParents(fallbackTheme, chain, visited);
    return chain;
}

void IconThemeLookup::appendWithParents(
    const QString& name, QList<std::shared_ptr<const IconTheme>>& chain, QStringList& visited) const
{
    if (visited.contains(name))
        return;
    visited.append(name);
    const auto found = theme(name);
    if (!found)
        return;
    chain.append(found);
    for (const QString& parent : found->inherits())
        appendWithParents(parent, chain, visited);
}

std::optional<QString> IconThemeLookup::findInTheme(
    const IconTheme& theme, const QString& name, int size, int scale) const
{
    const QList<IconDirectory> directories = theme.directories();
    // Directories that serve the size win outright, so they are searched before any other.
    for (const IconDirectory& directory : directories) {
        if (!directory.matchesSize(size, scale))
            continue;
        for (const QString& root : theme.roots()) {
            if (std::optional<QString> file = fileIn(root + u'/' + directory.path, name))
                return file;
        }
    }
    std::optional<QString> closest;
    int closestDistance = std::numeric_limits<int>::max();
    for (const IconDirectory& directory : directories) {
        const int distance = directory.sizeDistance(size, scale);
        if (directory.matchesSize(size, scale) || distance >= closestDistance)
            continue;
        for (const QString& root : theme.roots()) {
            if (std::optional<QString> file = fileIn(root + u'/' + directory.path, name)) {
                closest = file;
                closestDistance = distance;
                break;
            }
        }
    }
    return closest;
}

std::optional<QString> IconThemeLookup::findInPixmaps(const QString& name) const
{
    for (const QString& folder : m_pixmapDirs) {
        if (std::optional<QString> file = fileIn(folder, name))
            return file;
    }
    return std::nullopt;
}
