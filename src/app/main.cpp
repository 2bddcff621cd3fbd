#include "AppDelegate.h"
#include "AppDependencies.h"
#include "CommandLine.h"
#include "ControlInterface.h"
#include "UnixSignalQuitter.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QThread>
#include <QThreadPool>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

// One Pellux per session: the bus name is the lock. A relaunched Pellux gives the old one a
// moment to let go of it.
bool claimSession(QDBusConnection& bus, bool relaunched)
{
    for (int attempt = 0; attempt < (relaunched ? 50 : 1); ++attempt) {
        const auto reply = bus.interface()->registerService(QString::fromLatin1(ControlInterface::serviceName),
                                                            QDBusConnectionInterface::DontQueueService,
                                                            QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered)
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList args = argumentsOf(argc, argv);
    if (const auto status = runCommandLine(args))
        return *status;
    if (const int delay = relaunchDelaySeconds(args))
        QThread::sleep(delay);

    if (qEnvironmentVariable("DISPLAY").isEmpty()) {
        std::fputs("pellux: no X11 display; set DISPLAY (Wayland sessions are not supported yet)\n", stderr);
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pellux"));
    QApplication::setDesktopFileName(QStringLiteral("app.pellux.Pellux"));
    QApplication::setQuitOnLastWindowClosed(false);

    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool hasBus = bus.isConnected();
    if (hasBus && !claimSession(bus, relaunchDelaySeconds(args) > 0)) {
        std::fputs("pellux: Pellux is already running in this session\n", stderr);
        return 1;
    }
    if (!hasBus)
        std::fputs("pellux: no session bus; running without the control interface\n", stderr);

    UnixSignalQuitter quitter;
    AppDelegate delegate(AppDependencies::create());
    ControlInterface control(&delegate);
    qDBusRegisterMetaType<QDBusVariant>();
    if (hasBus)
        bus.registerObject(QString::fromLatin1(ControlInterface::objectPath), &control,
                           QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportAllSlots);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, &AppDelegate::applicationWillTerminate);
    delegate.applicationDidFinishLaunching();
    const int status = app.exec();
    // Background work (window scans, icons) may still use the display connection, which closes
    // with the application.
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
