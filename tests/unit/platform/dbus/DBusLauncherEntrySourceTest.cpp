#include "platform/dbus/DBusLauncherEntrySource.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString launcherInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");
const QString launcherName = QStringLiteral("com.canonical.Unity");

void spin(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired())
        spin(10);
    return done();
}

QDBusMessage updateSignal(const QString& path, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createSignal(path, launcherInterface, QStringLiteral("Update"));
    message.setArguments(arguments);
    return message;
}

QDBusMessage countUpdate(const QString& appUri, qint64 count)
{
    return updateSignal("/app", {appUri, QVariantMap{{"count", count}}});
}

// A private bus per test, so nothing on the desktop's session bus is seen or disturbed.
class DBusLauncherEntrySourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
        if (!m_daemon.waitForStarted(5000))
            GTEST_SKIP() << "dbus-daemon is not available";
        ASSERT_TRUE(m_daemon.waitForReadyRead(5000)) << "dbus-daemon printed no address";
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_sourceBus = connect("source");
        m_probe = connect("probe");
        m_source = std::make_unique<DBusLauncherEntrySource>(m_sourceBus);
        QObject::connect(m_source.get(), &LauncherEntrySource::updated, m_source.get(),
                         [this](const QString& sender, const QString& appUri, const QVariantMap& properties) {
                             events.append("updated " + sender + " " + appUri);
                             received.append(properties);
                         });
        QObject::connect(m_source.get(), &LauncherEntrySource::senderGone, m_source.get(),
                         [this](const QString& sender) { events.append("gone " + sender); });
    }

    void TearDown() override
    {
        m_source.reset();
        for (const QString& name : std::as_const(m_connectionNames))
            QDBusConnection::disconnectFromBus(name);
        // Ends the daemon this test started, by its process id.
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    QDBusConnection connect(const QString& role)
    {
        static int serial = 0;
        const QString name = QStringLiteral("badges-test-%1-%2").arg(role).arg(++serial);
        m_connectionNames.append(name);
        QDBusConnection connection = QDBusConnection::connectToBus(m_address, name);
        EXPECT_TRUE(connection.isConnected()) << connection.lastError().message().toStdString();
        return connection;
    }

    // The bus connection closes only once no copy of it is left.
    static void leave(QDBusConnection& connection)
    {
        const QString name = connection.name();
        connection = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(name);
    }

    QString owner(const QString& name) { return m_probe.interface()->serviceOwner(name).value(); }

    // The source asks for the launcher name after subscribing, on the same connection: once it owns
    // the name, the bus also has its subscription.
    void startSource()
    {
        m_source->start();
        ASSERT_TRUE(waitUntil([&] { return !owner(launcherName).isEmpty(); })) << "the source never owned its name";
    }

    QStringList events;
    QList<QVariantMap> received;
    QDBusConnection m_sourceBus {QString()};
    std::unique_ptr<DBusLauncherEntrySource> m_source;

private:
    QDBusConnection m_probe {QString()};
    QProcess m_daemon;
    QString m_address;
    QStringList m_connectionNames;
};

TEST_F(DBusLauncherEntrySourceTest, DeliversUpdatesFromAnySenderAndPathWithPlainValues)
{
    startSource();
    QDBusConnection app = connect("app");
    const QVariantMap properties{
        {"count", qint64(5)},
        {"count-visible", true},
        {"progress", 0.5},
        {"doubly-wrapped", QVariant::fromValue(QDBusVariant(QVariant::fromValue(QDBusVariant(3))))},
    };
    app.send(updateSignal("/app/pellux/test", {"application://mail.desktop", properties}));
    const QVariantMap urgent{{"urgent", true}};
    app.send(updateSignal("/com/example/chat/launcher", {"application://chat.desktop", urgent}));

    ASSERT_TRUE(waitUntil([&] { return events.size() >= 2; })) << events.join(", ").toStdString();
    const QString sender = app.baseService();
    EXPECT_EQ(events, QStringList({"updated " + sender + " application://mail.desktop",
                                   "updated " + sender + " application://chat.desktop"}));
    const QVariantMap& mail = received.at(0);
    EXPECT_EQ(mail.value("count").typeId(), QMetaType::LongLong);
    EXPECT_EQ(mail.value("count").toLongLong(), 5);
    EXPECT_EQ(mail.value("count-visible"), QVariant(true));
    EXPECT_EQ(mail.value("progress"), QVariant(0.5));
    EXPECT_EQ(mail.value("doubly-wrapped"), QVariant(3));
    EXPECT_EQ(received.at(1), urgent);
}

TEST_F(DBusLauncherEntrySourceTest, IgnoresUpdatesOfAnotherShape)
{
    startSource();
    QDBusConnection app = connect("app");
    app.send(updateSignal("/app", {"application://a.desktop"}));
    app.send(updateSignal("/app", {"application://b.desktop", QVariantList{"count", 5}}));
    app.send(updateSignal("/app", {42, QVariantMap{{"count", qint64(1)}}}));
    app.send(countUpdate("application://good.desktop", 1));

    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    spin(100);
    EXPECT_EQ(events, QStringList({"updated " + app.baseService() + " application://good.desktop"}));
}

TEST_F(DBusLauncherEntrySourceTest, TellsOnceWhenASenderLeaves)
{
    startSource();
    QDBusConnection staying = connect("staying");
    QDBusConnection leaving = connect("leaving");
    const QString leaver = leaving.baseService();
    leaving.send(countUpdate("application://mail.desktop", 1));
    staying.send(countUpdate("application://chat.desktop", 2));
    leaving.send(countUpdate("application://mail.desktop", 3));
    ASSERT_TRUE(waitUntil([&] { return events.size() == 3; }));
    EXPECT_FALSE(events.join(',').contains("gone"));

    leave(leaving);
    ASSERT_TRUE(waitUntil([&] { return events.size() == 4; })) << events.join(", ").toStdString();
    spin(100);
    EXPECT_EQ(events.mid(3), QStringList({"gone " + leaver}));
}

TEST_F(DBusLauncherEntrySourceTest, SenderThatLeftBeforeItsUpdateWasHandledIsToldGone)
{
    startSource();
    QDBusConnection app = connect("brief");
    const QString sender = app.baseService();
    app.send(countUpdate("application://mail.desktop", 1));
    // A blocking round trip neither runs this thread's events nor returns before the bus has passed
    // the update on; the source handles it only after the sender is gone.
    app.interface()->serviceOwner(launcherName);
    leave(app);
    const QDeadlineTimer deadline(5000);
    while (!owner(sender).isEmpty() && !deadline.hasExpired())
        QThread::msleep(10);
    ASSERT_TRUE(events.isEmpty()) << "the update must still be waiting";

    ASSERT_TRUE(waitUntil([&] { return events.size() == 2; })) << events.join(", ").toStdString();
    EXPECT_EQ(events, QStringList({"updated " + sender + " application://mail.desktop", "gone " + sender}));
}

TEST_F(DBusLauncherEntrySourceTest, HearsAndOwnsTheLauncherNameOnlyWhileStarted)
{
    QDBusConnection app = connect("app");
    const auto sendAndSettle = [&](const QString& uri) {
        app.send(countUpdate(uri, 1));
        // The source's own connection answers only after the bus delivered what came before.
        m_sourceBus.interface()->serviceOwner(launcherName);
        spin(100);
    };

    startSource();
    EXPECT_EQ(owner(launcherName), m_sourceBus.baseService());
    sendAndSettle("application://one.desktop");
    EXPECT_EQ(events.size(), 1);

    m_source->stop();
    EXPECT_TRUE(waitUntil([&] { return owner(launcherName).isEmpty(); })) << "the name is released on stop";
    sendAndSettle("application://two.desktop");
    leave(app);
    spin(200);
    EXPECT_EQ(events.size(), 1) << "after stop: " << events.join(", ").toStdString();

    app = connect("app-again");
    startSource();
    sendAndSettle("application://three.desktop");
    EXPECT_EQ(events.value(1), "updated " + app.baseService() + " application://three.desktop");
}

QStringList badgeWarnings;

void keepBadgeWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && QByteArray(context.category) == "app.pellux.Pellux.badges")
        badgeWarnings.append(message);
}

TEST_F(DBusLauncherEntrySourceTest, WorksWithoutTheLauncherNameWhenAnotherProgramHasIt)
{
    QDBusConnection other = connect("other-launcher");
    ASSERT_EQ(other.interface()->registerService(launcherName).value(), QDBusConnectionInterface::ServiceRegistered);
    badgeWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepBadgeWarnings);
    m_source->start();
    const bool warned = waitUntil([] { return !badgeWarnings.isEmpty(); });
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warned) << "failing to own the name is logged";
    EXPECT_EQ(owner(launcherName), other.baseService());

    QDBusConnection app = connect("app");
    app.send(countUpdate("application://mail.desktop", 1));
    EXPECT_TRUE(waitUntil([&] { return events.size() == 1; }));
}

TEST(DBusLauncherEntrySource, WithoutABusSaysSoAndStaysIdle)
{
    DBusLauncherEntrySource source(QDBusConnection(QStringLiteral("no-such-connection")));
    badgeWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepBadgeWarnings);
    source.start();
    source.stop();
    qInstallMessageHandler(previous);
    EXPECT_EQ(badgeWarnings.size(), 1);
}

} // namespace
