#include "IconTheme.h"

#include "IniFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString themeGroup = QStringLiteral("Icon Theme");

std::optional<IniFile> firstIndex(const QStringList& roots)
{
    for (const QString& root : roots) {
        if (std::optional<IniFile> index = IniFile::fromFile(root + QStringLiteral("/index.theme")))
            return index;
    }
    return std::nullopt;
}

QList<IconDirectory> directoriesOf(const IniFile& index)
{
    QStringList paths = index.list(themeGroup, QStringLiteral("Directories"));
    paths += index.list(themeGroup, QStringLiteral("ScaledDirectories"));
    paths.removeDuplicates();
    QList<IconDirectory> result;
    for (const QString& path : paths) {
        if (std::optional<IconDirectory> directory = IconDirectory::fromIndex(index, path))
            result.append(*directory);
    }
    return result;
}

} // namespace

std::optional<IconTheme> IconTheme::load(const QString& name, const QStringList& baseDirs)
{
    if (!isValidName(name))
        return std::nullopt;
    IconTheme theme;
    theme.m_name = name;
    for (const QString& base : baseDirs) {
        const QString root = QDir(base).filePath(name);
        if (QFileInfo(root).isDir())
            theme.m_roots.append(root);
    }
    const std::optional<IniFile> index = firstIndex(theme.m_roots);
    if (!index)
        return std::nullopt;
    theme.m_inherits = index->list(themeGroup, QStringLiteral("Inherits"));
    theme.m_directories = directoriesOf(*index);
    return theme;
}

bool IconTheme::isValidName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/');
}
