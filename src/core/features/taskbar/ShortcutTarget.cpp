#include "ShortcutTarget.h"

#include <QDir>

namespace ShortcutTarget {

namespace {

std::optional<QString> expandHome(const QString& path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return std::nullopt;
}

} // namespace

std::optional<QUrl> url(const QString& target)
{
    const QString text = target.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (text.contains(QLatin1String("://"))) {
        const QUrl address(text, QUrl::StrictMode);
        if (address.isValid() && !address.scheme().isEmpty())
            return address;
    }
    if (const auto home = expandHome(text))
        return QUrl::fromLocalFile(*home);
    // Not QDir::isAbsolutePath: it also takes Qt resource paths (":/...") as absolute.
    if (text.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(text);
    return std::nullopt;
}

} // namespace ShortcutTarget
