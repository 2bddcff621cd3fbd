#include "DBusLauncherEntrySource.h"

#include <QLoggingCategory>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

Q_LOGGING_CATEGORY(lcBadges, "app.pellux.Pellux.badges", QtInfoMsg)

namespace {

const QString launcherInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");
const QString updateSignal = QStringLiteral("Update");
const QString updateSignature = QStringLiteral("sa{sv}");
// Some applications send updates only while a launcher owns this name.
const QString launcherName = QStringLiteral("com.canonical.Unity");

constexpr uint doNotQueue = 4;
constexpr uint primaryOwner = 1;
constexpr uint alreadyOwner = 4;

QDBusMessage busCall(const QString& method, const QVariantList& arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("/org/freedesktop/DBus"),
                                                       QStringLiteral("org.freedesktop.DBus"), method);
    call.setArguments(arguments);
    return call;
}

// A value sent as a variant inside the variant arrives wrapped; the port hands out plain values.
QVariant unwrapped(QVariant value)
{
    while (value.typeId() == qMetaTypeId<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

} // namespace

DBusLauncherEntrySource::DBusLauncherEntrySource(const QDBusConnection& bus, QObject* parent)
    : LauncherEntrySource(parent)
    , m_bus(bus)
    , m_watcher(new QDBusServiceWatcher(this))
{
    m_watcher->setConnection(bus);
    m_watcher->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &DBusLauncherEntrySource::forgetSender);
}

DBusLauncherEntrySource::~DBusLauncherEntrySource()
{
    stop();
}

void DBusLauncherEntrySource::start()
{
    if (m_started)
        return;
    if (!m_bus.isConnected()) {
        qCWarning(lcBadges) << "No D-Bus session bus; dock badges are unavailable:" << m_bus.lastError().message();
        return;
    }
    m_started = true;
    if (!m_bus.connect(QString(), QString(), launcherInterface, updateSignal, this, SLOT(onUpdate(QDBusMessage))))
        qCWarning(lcBadges) << "Cannot listen to launcher entry updates:" << m_bus.lastError().message();
    requestName();
}

void DBusLauncherEntrySource::stop()
{
    if (!m_started)
        return;
    m_started = false;
    m_bus.disconnect(QString(), QString(), launcherInterface, updateSignal, this, SLOT(onUpdate(QDBusMessage)));
    m_watcher->setWatchedServices({});
    releaseName();
}

void DBusLauncherEntrySource::onUpdate(const QDBusMessage& message)
{
    const QString sender = message.service();
    if (sender.isEmpty() || message.signature() != updateSignature)
        return;
    const QVariantList arguments = message.arguments();
    const QString appUri = arguments.at(0).toString();
    QVariantMap properties = qdbus_cast<QVariantMap>(arguments.at(1));
    for (QVariant& value : properties)
        value = unwrapped(value);
    watchSender(sender);
    emit updated(sender, appUri, properties);
}

void DBusLauncherEntrySource::watchSender(const QString& sender)
{
    if (m_watcher->watchedServices().contains(sender))
        return;
    m_watcher->addWatchedService(sender);
    // The sender may have left before the watch began; the bus answers after it has the watch, so
    // a sender leaving later is still seen by the watcher.
    auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(busCall(QStringLiteral("NameHasOwner"), {sender})),
                                                this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [this, sender](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<bool> reply = *call;
        if (reply.isValid() && !reply.value())
            forgetSender(sender);
    });
}

void DBusLauncherEntrySource::forgetSender(const QString& sender)
{
    if (m_watcher->removeWatchedService(sender))
        emit senderGone(sender);
}

void DBusLauncherEntrySource::requestName()
{
    auto* pending = new QDBusPendingCallWatcher(
        m_bus.asyncCall(busCall(QStringLiteral("RequestName"), {launcherName, doNotQueue})), this);
    connect(pending, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher* call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isError())
            qCWarning(lcBadges) << "Cannot own" << launcherName << "-" << reply.error().message();
        else if (reply.value() != primaryOwner && reply.value() != alreadyOwner)
            qCWarning(lcBadges) << launcherName << "is owned by another program; some applications may send "
                                                   "badges only to it";
    });
}

void DBusLauncherEntrySource::releaseName()
{
    m_bus.send(busCall(QStringLiteral("ReleaseName"), {launcherName}));
}
