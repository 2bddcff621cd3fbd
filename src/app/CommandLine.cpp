#include "CommandLine.h"

#include "ControlInterface.h"
#include "DefaultsCommand.h"
#include "Relauncher.h"
#include "Version.h"
#include "platform/xdg/DefaultsDomainFile.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

#include <cstdio>

namespace {

constexpr char help[] = "Pellux, a desktop taskbar for Linux.\n"
                        "\n"
                        "usage: pellux                 start the taskbar on $DISPLAY\n"
                        "       pellux state           print what the running taskbar shows, as JSON\n"
                        "       pellux quit            quit the running taskbar\n"
                        "       pellux restart         quit the running taskbar and start it again\n"
                        "       pellux windows PID     the windows of the application that owns PID, as JSON\n"
                        "       pellux show-desktop    show the desktop, or bring its windows back\n"
                        "       pellux set KEY -bool|-float|-string|-array VALUE...\n"
                        "                              change a setting of the running taskbar\n"
                        "       pellux defaults read [KEY]\n"
                        "       pellux defaults write KEY -bool|-float|-string|-array VALUE...\n"
                        "       pellux defaults delete KEY\n"
                        "       pellux --help | --version\n"
                        "\n"
                        "Settings live in $XDG_CONFIG_HOME/pellux/app.pellux.Pellux.json.\n";

// The running Pellux answered no.
constexpr int refused = 3;

int callRunningInstance(const QString& method, const QVariantList& arguments = {})
{
    int argc = 1;
    char name[] = "pellux";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QDBusInterface pellux(QString::fromLatin1(ControlInterface::serviceName),
                          QString::fromLatin1(ControlInterface::objectPath),
                          QString::fromLatin1(ControlInterface::serviceName), QDBusConnection::sessionBus());
    if (!pellux.isValid()) {
        std::fputs("pellux: Pellux is not running in this session\n", stderr);
        return 1;
    }
    const QDBusMessage reply = pellux.callWithArgumentList(QDBus::Block, method, arguments);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "pellux: %s\n", qPrintable(reply.errorMessage()));
        return 1;
    }
    const QVariant result = reply.arguments().value(0);
    if (result.typeId() == QMetaType::Bool)
        return result.toBool() ? 0 : refused;
    if (result.isValid())
        std::printf("%s\n", result.toString().toUtf8().constData());
    return 0;
}

} // namespace

std::optional<int> runCommandLine(const QStringList& args)
{
    if (args.isEmpty() || args.first() == QLatin1String(Relauncher::delayOption))
        return std::nullopt;
    const QString& command = args.first();
    if (command == u"--help" || command == u"-h" || command == u"help") {
        std::fputs(help, stdout);
        return 0;
    }
    if (command == u"--version") {
        std::printf("Pellux %s (build %s)\n", pelluxVersion, pelluxBuildNumber);
        return 0;
    }
    if (command == u"windows") {
        bool ok = false;
        const int pid = args.value(1).toInt(&ok);
        if (args.size() != 2 || !ok) {
            std::fputs("pellux: usage: pellux windows PID\n", stderr);
            return 2;
        }
        return callRunningInstance(QStringLiteral("Windows"), {pid});
    }
    if (command == u"show-desktop")
        return args.size() == 1 ? callRunningInstance(QStringLiteral("ShowDesktop")) : 2;
    if (command == u"state" || command == u"quit" || command == u"restart") {
        if (args.size() != 1) {
            std::fprintf(stderr, "pellux: %s takes no arguments\n", qPrintable(command));
            return 2;
        }
        QString method = command;
        method[0] = method[0].toUpper();
        return callRunningInstance(method);
    }
    if (command == u"set") {
        QString problem;
        const auto value = args.size() >= 3 ? parseDefaultsValue(args[2], args.mid(3), problem) : std::nullopt;
        if (!value) {
            std::fprintf(stderr, "pellux: %s\nusage: pellux set KEY -bool|-float|-string|-array VALUE...\n",
                         qPrintable(problem.isEmpty() ? QStringLiteral("set needs a key and a value") : problem));
            return 2;
        }
        const int status = callRunningInstance(QStringLiteral("SetPreference"),
                                               {args[1], QVariant::fromValue(QDBusVariant(*value))});
        if (status != refused)
            return status;
        std::fprintf(stderr, "pellux: %s is not a setting\n", qPrintable(args[1]));
        return 1;
    }
    if (command == u"defaults") {
        DefaultsDomainFile defaults(DefaultsDomainFile::standardPath());
        return runDefaultsCommand(args.mid(1), defaults, stdout, stderr);
    }
    std::fprintf(stderr, "pellux: unknown command '%s'\n\n", qPrintable(command));
    std::fputs(help, stderr);
    return 2;
}

int relaunchDelaySeconds(const QStringList& args)
{
    if (args.size() == 2 && args.first() == QLatin1String(Relauncher::delayOption))
        return qBound(0, args[1].toInt(), 10);
    return 0;
}
