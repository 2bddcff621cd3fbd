#include "ProcProcessInspector.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Environment and command line files are small; a cap keeps a hostile process from costing much.
constexpr qint64 maxRead = 256 * 1024;

QByteArray readCapped(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(maxRead);
}

QStringList nulSeparated(const QByteArray& bytes)
{
    QStringList parts;
    for (const QByteArray& part : bytes.split('\0'))
        if (!part.isEmpty())
            parts.append(QString::fromLocal8Bit(part));
    return parts;
}

QString environmentValue(const QStringList& environment, const QString& name)
{
    const QString prefix = name + u'=';
    for (const QString& entry : environment)
        if (entry.startsWith(prefix))
            return entry.mid(prefix.size());
    return {};
}

// The [Application] name of a flatpak's info file.
QString flatpakName(const QByteArray& info)
{
    bool inApplication = false;
    for (const QByteArray& raw : info.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inApplication = line == "[Application]";
        else if (inApplication && line.startsWith("name="))
            return QString::fromUtf8(line.mid(5)).trimmed();
    }
    return {};
}

} // namespace

ProcProcessInspector::ProcProcessInspector(QString procRoot) : m_procRoot(std::move(procRoot)) {}

ProcessIdentity ProcProcessInspector::identity(qint32 pid) const
{
    if (pid <= 0)
        return {};
    const QString dir = m_procRoot + u'/' + QString::number(pid);
    const QStringList environment = nulSeparated(readCapped(dir + QStringLiteral("/environ")));
    ProcessIdentity identity;
    identity.flatpakAppId = flatpakName(readCapped(dir + QStringLiteral("/root/.flatpak-info")));
    identity.snapDesktopHint = environmentValue(environment, QStringLiteral("BAMF_DESKTOP_FILE_HINT"));
    identity.appImagePath = environmentValue(environment, QStringLiteral("APPIMAGE"));
    identity.executablePath = QFileInfo(dir + QStringLiteral("/exe")).symLinkTarget();
    // An upgraded package leaves running programs pointing at their old, deleted file.
    identity.executablePath.remove(QRegularExpression(QStringLiteral(" \\(deleted\\)$")));
    identity.commandLine = nulSeparated(readCapped(dir + QStringLiteral("/cmdline")));
    return identity;
}
