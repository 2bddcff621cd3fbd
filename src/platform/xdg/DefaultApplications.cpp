#include "DefaultApplications.h"

#include "IniFile.h"

#include <QDir>
#include <QStandardPaths>

namespace {

QStringList splitEnv(const char* name, const QString& fallback)
{
    const QStringList parts = QString::fromLocal8Bit(qgetenv(name)).split(u':', Qt::SkipEmptyParts);
    return parts.isEmpty() ? QStringList{fallback} : parts;
}

} // namespace

DefaultApplications::DefaultApplications(QStringList listFiles) : m_listFiles(std::move(listFiles)) {}

QStringList DefaultApplications::standardListFiles()
{
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QStringList desktops = QString::fromLocal8Bit(qgetenv("XDG_CURRENT_DESKTOP")).toLower().split(u':', Qt::SkipEmptyParts);
    QStringList folders{configHome};
    folders += splitEnv("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    folders += dataHome + QStringLiteral("/applications");
    for (const QString& dir : splitEnv("XDG_DATA_DIRS", QStringLiteral("/usr/local/share")))
        folders += dir + QStringLiteral("/applications");
    if (qEnvironmentVariableIsEmpty("XDG_DATA_DIRS"))
        folders += QStringLiteral("/usr/share/applications");
    QStringList files;
    for (const QString& folder : std::as_const(folders)) {
        for (const QString& desktop : desktops)
            files += folder + u'/' + desktop + QStringLiteral("-mimeapps.list");
        files += folder + QStringLiteral("/mimeapps.list");
    }
    return files;
}

QString DefaultApplications::defaultFor(const QString& mimeType) const
{
    for (const QString& path : m_listFiles) {
        const auto list = IniFile::fromFile(path);
        if (!list)
            continue;
        const QString value = list->value(QStringLiteral("Default Applications"), mimeType);
        for (QString id : value.split(u';', Qt::SkipEmptyParts)) {
            id = id.trimmed();
            if (id.endsWith(QLatin1String(".desktop")))
                id.chop(8);
            if (!id.isEmpty())
                return id;
        }
    }
    return {};
}
