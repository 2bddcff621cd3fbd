#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// A key file such as an icon theme's index.theme or GTK's settings.ini: [Group] headers and
// Key=Value lines, blanks around both trimmed. Lines that are neither, and keys before any group,
// are skipped rather than failing the file, because these files come from third parties and one
// bad line must not hide a whole theme. The first occurrence of a group or key wins.
class IniFile {
public:
    // Nothing when the file cannot be read or is absurdly large.
    static std::optional<IniFile> fromFile(const QString& path);
    static IniFile fromBytes(const QByteArray& bytes);

    bool contains(const QString& group, const QString& key) const;
    // Empty when the group or key is missing.
    QString value(const QString& group, const QString& key) const;
    // A comma-separated value, items trimmed, empty items dropped.
    QStringList list(const QString& group, const QString& key) const;
    // Nothing when the key is missing or not a whole number.
    std::optional<int> integer(const QString& group, const QString& key) const;

private:
    QHash<QString, QHash<QString, QString>> m_groups;
};
