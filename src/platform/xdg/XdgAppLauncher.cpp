#include "XdgAppLauncher.h"

#include "DesktopEntry.h"
#include "DesktopExec.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QProcess>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcLaunch, "app.pellux.Pellux.launch", QtInfoMsg)

namespace {

// The D-Bus object path of an application id: dots become slashes, dashes underscores.
QString objectPathOf(const QString& applicationId)
{
    QString path = u'/' + applicationId;
    path.replace(u'.', u'/').replace(u'-', u'_');
    return path;
}

QVariantMap platformData()
{
    return {};
}

QStringList terminalCommand()
{
    for (const char* candidate : {"x-terminal-emulator", "xterm"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(candidate));
        if (!found.isEmpty())
            return {found, QStringLiteral("-e")};
    }
    return {};
}

} // namespace

bool XdgAppLauncher::launch(const QString& desktopFile, const QList<QUrl>& documents)
{
    const auto entry = DesktopEntry::fromFile(desktopFile);
    if (!entry) {
        qCWarning(lcLaunch, "Cannot read the desktop entry %s", qPrintable(desktopFile));
        return false;
    }
    if (entry->dbusActivatable() && activateOverDBus(*entry, documents))
        return true;
    return run(*entry, entry->exec(), documents);
}

bool XdgAppLauncher::launchNewWindowAction(const QString& desktopFile)
{
    const auto entry = DesktopEntry::fromFile(desktopFile);
    if (!entry)
        return false;
    for (const DesktopEntry::Action& action : entry->actions())
        if (isNewWindowAction(action.id, action.name) && !action.exec.isEmpty())
            return run(*entry, action.exec, {});
    return false;
}

bool XdgAppLauncher::isNewWindowAction(const QString& id, const QString& name)
{
    const auto says = [](QString text) {
        text = text.toLower().remove(u'-').remove(u'_').remove(u' ');
        return text.contains(QLatin1String("newwindow"));
    };
    return says(id) || says(name);
}

bool XdgAppLauncher::reveal(const QString& path)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString fileManager = QStringLiteral("org.freedesktop.FileManager1");
    if (bus.isConnected() && bus.interface()->isServiceRegistered(fileManager).value()) {
        QDBusMessage call = QDBusMessage::createMethodCall(fileManager, QStringLiteral("/org/freedesktop/FileManager1"),
                                                           fileManager, QStringLiteral("ShowItems"));
        call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
        return bus.send(call);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
}

bool XdgAppLauncher::open(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool XdgAppLauncher::run(const DesktopEntry& entry, const QString& exec, const QList<QUrl>& documents)
{
    const auto parsed = DesktopExec::parse(exec);
    if (!parsed) {
        qCWarning(lcLaunch, "The Exec line of %s cannot be run", qPrintable(entry.path()));
        return false;
    }
    const QStringList prefix = entry.terminal() ? terminalCommand() : QStringList();
    const QString workingDirectory = entry.workingDirectory().isEmpty() ? QDir::homePath() : entry.workingDirectory();
    bool started = false;
    for (QStringList argv : parsed->expand(documents, DesktopExec::contextOf(entry))) {
        argv = prefix + argv;
        const QString program = argv.takeFirst();
        if (QProcess::startDetached(program, argv, workingDirectory))
            started = true;
        else
            qCWarning(lcLaunch, "Could not start %s", qPrintable(program));
    }
    return started;
}

bool XdgAppLauncher::activateOverDBus(const DesktopEntry& entry, const QList<QUrl>& documents)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QString applicationId = QFileInfo(entry.path()).completeBaseName();
    const QString interface = QStringLiteral("org.freedesktop.Application");
    QDBusMessage call;
    if (documents.isEmpty()) {
        call = QDBusMessage::createMethodCall(applicationId, objectPathOf(applicationId), interface,
                                              QStringLiteral("Activate"));
        call << platformData();
    } else {
        call = QDBusMessage::createMethodCall(applicationId, objectPathOf(applicationId), interface,
                                              QStringLiteral("Open"));
        QStringList uris;
        for (const QUrl& url : documents)
            uris.append(url.toString());
        call << uris << platformData();
    }
    return bus.send(call);
}
