#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// A freedesktop desktop entry (Desktop Entry Specification 1.5). Values are kept as written and
// decoded by the accessor of their type, because a list must see "\;" before the general escapes
// are undone. Only the syntax is checked here; required keys and Type are the caller's business.
class DesktopEntry {
public:
    // The locale for localised keys: LC_ALL, else LC_MESSAGES, else LANG.
    static QString processLocale();

    class Group {
    public:
        QString name() const { return m_name; }
        bool contains(const QString& key) const { return m_values.contains(key); }
        // Empty when the key is missing (contains() tells the two apart); unknown escapes and a
        // trailing backslash stay as written.
        QString string(const QString& key) const;
        // Locale such as "de_DE.UTF-8@euro": the first of Key[de_DE@euro], Key[de_DE],
        // Key[de@euro], Key[de], Key that exists.
        QString localeString(const QString& key, const QString& locale = processLocale()) const;
        // Nothing unless the value is "true" or "false".
        std::optional<bool> boolean(const QString& key) const;
        // Split at unescaped ';'; a trailing ';' ends the list rather than adding an empty item.
        QStringList stringList(const QString& key) const;

    private:
        friend class DesktopEntry;

        QString m_name;
        // Raw values; a localised key is stored as "Key[lang_COUNTRY@MODIFIER]", encoding removed.
        QHash<QString, QString> m_values;
    };

    struct Action {
        QString id;
        QString name;
        QString icon;
        QString exec;

        bool operator==(const Action&) const = default;
    };

    // Nothing when the file cannot be read, is not valid UTF-8, or is malformed (see fromBytes).
    static std::optional<DesktopEntry> fromFile(const QString& path);
    // Nothing for a key before any group, a line that is neither a group header, a comment nor
    // Key=Value, a first group other than [Desktop Entry], invalid UTF-8 or a NUL byte. A repeated
    // group or key is ignored: the first occurrence wins, so appended junk cannot override it.
    static std::optional<DesktopEntry> fromBytes(const QByteArray& bytes, const QString& path = {});

    // The file the entry was read from; empty when it came from bytes without one.
    QString path() const { return m_path; }
    std::optional<Group> group(const QString& name) const;
    // The actions listed under Actions, in that order, each with its [Desktop Action ID] group;
    // an action without such a group or without a Name is left out.
    QList<Action> actions(const QString& locale = processLocale()) const;

    // Values of the [Desktop Entry] group.
    bool contains(const QString& key) const { return main().contains(key); }
    QString string(const QString& key) const { return main().string(key); }
    QString localeString(const QString& key, const QString& locale = processLocale()) const
    {
        return main().localeString(key, locale);
    }
    std::optional<bool> boolean(const QString& key) const { return main().boolean(key); }
    QStringList stringList(const QString& key) const { return main().stringList(key); }

    QString type() const { return string(QStringLiteral("Type")); }
    QString name(const QString& locale = processLocale()) const { return localeString(QStringLiteral("Name"), locale); }
    QString genericName(const QString& locale = processLocale()) const
    {
        return localeString(QStringLiteral("GenericName"), locale);
    }
    QString icon(const QString& locale = processLocale()) const { return localeString(QStringLiteral("Icon"), locale); }
    QString exec() const { return string(QStringLiteral("Exec")); }
    QString tryExec() const { return string(QStringLiteral("TryExec")); }
    // The Path key: the folder the program starts in.
    QString workingDirectory() const { return string(QStringLiteral("Path")); }
    bool terminal() const { return flag(QStringLiteral("Terminal")); }
    bool noDisplay() const { return flag(QStringLiteral("NoDisplay")); }
    bool hidden() const { return flag(QStringLiteral("Hidden")); }
    bool dbusActivatable() const { return flag(QStringLiteral("DBusActivatable")); }
    QStringList onlyShowIn() const { return stringList(QStringLiteral("OnlyShowIn")); }
    QStringList notShowIn() const { return stringList(QStringLiteral("NotShowIn")); }
    QStringList categories() const { return stringList(QStringLiteral("Categories")); }
    QStringList mimeTypes() const { return stringList(QStringLiteral("MimeType")); }
    QString startupWmClass() const { return string(QStringLiteral("StartupWMClass")); }

private:
    using Groups = QHash<QString, Group>;

    DesktopEntry(QString path, Groups groups);

    static std::optional<Groups> parseGroups(QStringView text);

    const Group& main() const;
    bool flag(const QString& key) const { return boolean(key).value_or(false); }

    QString m_path;
    // Always holds [Desktop Entry].
    Groups m_groups;
};
