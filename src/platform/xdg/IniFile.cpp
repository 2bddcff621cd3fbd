#include "IniFile.h"

#include <QFile>

namespace {

// Far above any real theme index; keeps a device node or a runaway file from being read whole.
constexpr qint64 maxFileSize = 4 * 1024 * 1024;

bool isComment(QStringView line)
{
    return line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';');
}

} // namespace

std::optional<IniFile> IniFile::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize)
        return std::nullopt;
    return fromBytes(bytes);
}

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile ini;
    const QString text = QString::fromUtf8(bytes);
    // Keys go to this group; none before the first header or under a repeated one.
    std::optional<QString> group;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (isComment(line))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            const QString name = line.sliced(1, line.size() - 2).toString();
            group = ini.m_groups.contains(name) ? std::nullopt : std::optional(name);
            if (group)
                ini.m_groups.insert(name, {});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!group || equals <= 0)
            continue;
        QHash<QString, QString>& values = ini.m_groups[*group];
        const QString key = line.first(equals).trimmed().toString();
        if (!values.contains(key))
            values.insert(key, line.sliced(equals + 1).trimmed().toString());
    }
    return ini;
}

bool IniFile::contains(const QString& group, const QString& key) const
{
    const auto found = m_groups.constFind(group);
    return found != m_groups.cend() && found->contains(key);
}

QString IniFile::value(const QString& group, const QString& key) const
{
    return m_groups.value(group).value(key);
}

QStringList IniFile::list(const QString& group, const QString& key) const
{
    QStringList items;
    for (const QString& item : value(group, key).split(u',')) {
        if (const QString trimmed = item.trimmed(); !trimmed.isEmpty())
            items.append(trimmed);
    }
    return items;
}

std::optional<int> IniFile::integer(const QString& group, const QString& key) const
{
    bool ok = false;
    const int number = value(group, key).toInt(&ok);
    return ok ? std::optional(number) : std::nullopt;
}
