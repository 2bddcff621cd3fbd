#include "DesktopEntry.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

namespace {

// Far above any real entry; keeps a device node or a runaway file from being read whole.
constexpr qint64 maxFileSize = 4 * 1024 * 1024;

const QString mainGroupName = QStringLiteral("Desktop Entry");
const QString actionGroupPrefix = QStringLiteral("Desktop Action ");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView trimmedLeft(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    return text;
}

QStringView trimmedRight(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool isKeyNameChar(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-';
}

bool isLocaleChar(QChar c)
{
    return isKeyNameChar(c) || c == u'_' || c == u'.' || c == u'@';
}

bool isGroupNameChar(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'[' && c != u']';
}

struct LocaleParts {
    QString lang;
    QString country;
    QString modifier;
};

// lang_COUNTRY.ENCODING@MODIFIER; the encoding never takes part in matching.
LocaleParts splitLocale(QStringView locale)
{
    LocaleParts parts;
    if (const qsizetype at = locale.indexOf(u'@'); at >= 0) {
        parts.modifier = locale.sliced(at + 1).toString();
        locale = locale.first(at);
    }
    if (const qsizetype dot = locale.indexOf(u'.'); dot >= 0)
        locale = locale.first(dot);
    if (const qsizetype underscore = locale.indexOf(u'_'); underscore >= 0) {
        parts.country = locale.sliced(underscore + 1).toString();
        locale = locale.first(underscore);
    }
    parts.lang = locale.toString();
    return parts;
}

QString joinLocale(const QString& lang, const QString& country, const QString& modifier)
{
    QString locale = lang;
    if (!country.isEmpty())
        locale += u'_' + country;
    if (!modifier.isEmpty())
        locale += u'@' + modifier;
    return locale;
}

QString localisedKey(const QString& key, const QString& locale)
{
    return key + u'[' + locale + u']';
}

QStringList localeCandidates(const QString& locale)
{
    const LocaleParts parts = splitLocale(locale);
    if (parts.lang.isEmpty())
        return {};
    QStringList candidates;
    if (!parts.country.isEmpty() && !parts.modifier.isEmpty())
        candidates << joinLocale(parts.lang, parts.country, parts.modifier);
    if (!parts.country.isEmpty())
        candidates << joinLocale(parts.lang, parts.country, {});
    if (!parts.modifier.isEmpty())
        candidates << joinLocale(parts.lang, {}, parts.modifier);
    candidates << parts.lang;
    return candidates;
}

// "Key" or "Key[locale]" (encoding removed) as stored; nothing for an invalid name.
std::optional<QString> storedKey(QStringView key)
{
    QStringView locale;
    const bool localised = key.endsWith(u']');
    if (localised) {
        const qsizetype open = key.indexOf(u'[');
        if (open < 0)
            return {};
        locale = key.sliced(open + 1, key.size() - open - 2);
        key = key.first(open);
        if (locale.isEmpty() || !std::all_of(locale.begin(), locale.end(), isLocaleChar))
            return {};
    }
    if (key.isEmpty() || !std::all_of(key.begin(), key.end(), isKeyNameChar))
        return {};
    if (!localised)
        return key.toString();
    const LocaleParts parts = splitLocale(locale);
    return localisedKey(key.toString(), joinLocale(parts.lang, parts.country, parts.modifier));
}

std::optional<QString> groupName(QStringView line)
{
    line = trimmedRight(line);
    if (line.size() < 2 || !line.endsWith(u']'))
        return {};
    const QStringView name = line.sliced(1, line.size() - 2);
    if (name.isEmpty() || !std::all_of(name.begin(), name.end(), isGroupNameChar))
        return {};
    return name.toString();
}

QString unescaped(QChar c, bool inList)
{
    switch (c.unicode()) {
    case u's':
        return QStringLiteral(" ");
    case u'n':
        return QStringLiteral("\n");
    case u't':
        return QStringLiteral("\t");
    case u'r':
        return QStringLiteral("\r");
    case u'\\':
        return QStringLiteral("\\");
    case u';':
        if (inList)
            return QStringLiteral(";");
        break;
    }
    return QStringLiteral("\\") + c;
}

// Undoes the escapes of a value; a list is split at the same time so that "\;" stays in its item.
QStringList decodeValue(QStringView raw, bool asList)
{
    QStringList items;
    QString current;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (asList && c == u';') {
            items << current;
            current.clear();
        } else if (c == u'\\' && i + 1 < raw.size()) {
            current += unescaped(raw[++i], asList);
        } else {
            current += c;
        }
    }
    items << current;
    if (asList && items.last().isEmpty())
        items.removeLast();
    return items;
}

std::optional<QString> decodeUtf8(const QByteArray& bytes)
{
    // A NUL would silently cut an argument short once a value reaches execve.
    if (bytes.contains('\0'))
        return {};
    // Stateless, so that a sequence cut off at the end of the file counts as an error.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {};
    return text;
}

} // namespace

QString DesktopEntry::processLocale()
{
    for (const char* variable : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

QString DesktopEntry::Group::string(const QString& key) const
{
    const auto it = m_values.constFind(key);
    return it == m_values.cend() ? QString() : decodeValue(*it, false).first();
}

QString DesktopEntry::Group::localeString(const QString& key, const QString& locale) const
{
    for (const QString& candidate : localeCandidates(locale)) {
        const QString localised = localisedKey(key, candidate);
        if (m_values.contains(localised))
            return string(localised);
    }
    return string(key);
}

std::optional<bool> DesktopEntry::Group::boolean(const QString& key) const
{
    const auto it = m_values.constFind(key);
    if (it == m_values.cend())
        return {};
    // Trailing blanks are part of a string (leading ones need \s) but mean nothing to a Boolean.
    const QStringView value = trimmedRight(*it);
    if (value == QLatin1String("true"))
        return true;
    if (value == QLatin1String("false"))
        return false;
    return {};
}

QStringList DesktopEntry::Group::stringList(const QString& key) const
{
    const auto it = m_values.constFind(key);
    return it == m_values.cend() ? QStringList() : decodeValue(*it, true);
}

DesktopEntry::DesktopEntry(QString path, Groups groups)
    : m_path(std::move(path))
    , m_groups(std::move(groups))
{
}

std::optional<DesktopEntry> DesktopEntry::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize)
        return {};
    return fromBytes(bytes, path);
}

std::optional<DesktopEntry> DesktopEntry::fromBytes(const QByteArray& bytes, const QString& path)
{
    const auto text = decodeUtf8(bytes);
    if (!text)
        return {};
    auto groups = parseGroups(*text);
    if (!groups)
        return {};
    return DesktopEntry(path, std::move(*groups));
}

std::optional<DesktopEntry::Groups> DesktopEntry::parseGroups(QStringView text)
{
    Groups groups;
    // Null inside a repeated group, whose lines are checked but not kept.
    Group* current = nullptr;
    for (QStringView line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = trimmedLeft(line);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const auto name = groupName(line);
            if (!name || (groups.isEmpty() && *name != mainGroupName))
                return {};
            current = nullptr;
            if (!groups.contains(*name)) {
                current = &groups[*name];
                current->m_name = *name;
            }
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (groups.isEmpty() || equals < 0)
            return {};
        // An oddly named key costs only itself: the application is still worth listing.
        const auto key = storedKey(trimmedRight(line.first(equals)));
        if (current && key && !current->m_values.contains(*key))
            current->m_values.insert(*key, trimmedLeft(line.sliced(equals + 1)).toString());
    }
    if (groups.isEmpty())
        return {};
    return groups;
}

std::optional<DesktopEntry::Group> DesktopEntry::group(const QString& name) const
{
    const auto it = m_groups.constFind(name);
    if (it == m_groups.cend())
        return {};
    return *it;
}

const DesktopEntry::Group& DesktopEntry::main() const
{
    return *m_groups.constFind(mainGroupName);
}

QList<DesktopEntry::Action> DesktopEntry::actions(const QString& locale) const
{
    QList<Action> actions;
    for (const QString& id : stringList(QStringLiteral("Actions"))) {
        const auto actionGroup = group(actionGroupPrefix + id);
        if (!actionGroup || !actionGroup->contains(QStringLiteral("Name")))
            continue;
        actions.append({ id, actionGroup->localeString(QStringLiteral("Name"), locale),
            actionGroup->localeString(QStringLiteral("Icon"), locale), actionGroup->string(QStringLiteral("Exec")) });
    }
    return actions;
}
