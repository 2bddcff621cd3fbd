#include "DockBadgeService.h"

#include "core/ports/LauncherEntrySource.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString countKey = QStringLiteral("count");
const QString countVisibleKey = QStringLiteral("count-visible");
const QString progressKey = QStringLiteral("progress");
const QString progressVisibleKey = QStringLiteral("progress-visible");
const QString urgentKey = QStringLiteral("urgent");

// 2^63: the first double beyond the range of qint64.
constexpr double int64Limit = 9223372036854775808.0;

std::optional<qint64> integerOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
        return value.toLongLong();
    case QMetaType::ULongLong: {
        const quint64 unsignedValue = value.toULongLong();
        return unsignedValue <= quint64(std::numeric_limits<qint64>::max()) ? std::optional(qint64(unsignedValue))
                                                                             : std::nullopt;
    }
    case QMetaType::Float:
    case QMetaType::Double: {
        const double real = std::round(value.toDouble());
        return std::isfinite(real) && real >= -int64Limit && real < int64Limit ? std::optional(qint64(real))
                                                                               : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

std::optional<QVariant> countOf(const QVariant& value)
{
    const std::optional<qint64> count = integerOf(value);
    return count ? std::optional<QVariant>(*count) : std::nullopt;
}

std::optional<QVariant> flagOf(const QVariant& value)
{
    return value.typeId() == QMetaType::Bool ? std::optional(value) : std::nullopt;
}

// Any number, kept within 0...1 so a bar never draws past its ends.
std::optional<QVariant> progressOf(const QVariant& value)
{
    const bool isReal = value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
    if (!isReal && !integerOf(value))
        return std::nullopt;
    const double progress = value.toDouble();
    return std::isfinite(progress) ? std::optional<QVariant>(std::clamp(progress, 0.0, 1.0)) : std::nullopt;
}

// The accepted form of a known key's value; nothing for an unknown key or a value of the wrong type.
std::optional<QVariant> normalized(const QString& key, const QVariant& value)
{
    using Reader = std::optional<QVariant> (*)(const QVariant&);
    static const QHash<QString, Reader> readers = {
        {countKey, countOf},
        {countVisibleKey, flagOf},
        {progressKey, progressOf},
        {progressVisibleKey, flagOf},
        {urgentKey, flagOf},
    };
    const Reader reader = readers.value(key);
    return reader ? reader(value) : std::nullopt;
}

} // namespace

DockBadgeService::DockBadgeService(LauncherEntrySource& source, QObject* parent)
    : QObject(parent)
    , m_source(source)
{
}

void DockBadgeService::start()
{
    if (m_started)
        return;
    m_started = true;
    connect(&m_source, &LauncherEntrySource::updated, this, &DockBadgeService::applyUpdate);
    connect(&m_source, &LauncherEntrySource::senderGone, this, &DockBadgeService::dropSender);
    m_source.start();
}

void DockBadgeService::stop()
{
    if (!m_started)
        return;
    m_started = false;
    disconnect(&m_source, nullptr, this, nullptr);
    m_source.stop();
    const QStringList apps = m_layers.keys();
    m_layers.clear();
    publish(apps);
}

QString DockBadgeService::bundleIDFromUri(const QString& appUri)
{
    static const QString scheme = QStringLiteral("application://");
    static const QString suffix = QStringLiteral(".desktop");
    if (!appUri.startsWith(scheme) || !appUri.endsWith(suffix))
        return {};
    const QString id = appUri.sliced(scheme.size(), appUri.size() - scheme.size() - suffix.size());
    // Desktop file ids never hold a slash; such a uri names something else.
    return id.contains(QLatin1Char('/')) ? QString() : id;
}

void DockBadgeService::applyUpdate(const QString& sender, const QString& appUri, const QVariantMap& properties)
{
    const QString bundleID = bundleIDFromUri(appUri);
    if (bundleID.isEmpty())
        return;
    Layer accepted;
    for (auto it = properties.begin(); it != properties.end(); ++it) {
        if (const std::optional<QVariant> value = normalized(it.key(), it.value()))
            accepted.insert(it.key(), {*value, m_nextSequence});
    }
    if (accepted.isEmpty())
        return;
    ++m_nextSequence;
    m_layers[bundleID][sender].insert(accepted);
    publish({bundleID});
}

void DockBadgeService::dropSender(const QString& sender)
{
    QStringList changed;
    for (auto app = m_layers.begin(); app != m_layers.end();) {
        if (app->remove(sender))
            changed.append(app.key());
        app = app->isEmpty() ? m_layers.erase(app) : std::next(app);
    }
    publish(changed);
}

DockBadge DockBadgeService::merged(const QString& bundleID) const
{
    QHash<QString, Stamped> latest;
    for (const Layer& layer : m_layers.value(bundleID)) {
        for (auto it = layer.begin(); it != layer.end(); ++it) {
            if (!latest.contains(it.key()) || latest[it.key()].sequence < it->sequence)
                latest.insert(it.key(), *it);
        }
    }
    DockBadge badge;
    if (latest.contains(countKey))
        badge.count = latest[countKey].value.toLongLong();
    if (latest.contains(progressKey))
        badge.progress = latest[progressKey].value.toDouble();
    badge.countVisible = latest.value(countVisibleKey).value.toBool();
    badge.progressVisible = latest.value(progressVisibleKey).value.toBool();
    badge.urgent = latest.value(urgentKey).value.toBool();
    return badge;
}

void DockBadgeService::publish(const QStringList& changedApps)
{
    DockBadgeMap details = m_badgeDetails;
    QMap<QString, QString> badges = m_badges;
    for (const QString& bundleID : changedApps) {
        details.remove(bundleID);
        badges.remove(bundleID);
        if (!m_layers.contains(bundleID))
            continue;
        const DockBadge badge = merged(bundleID);
        details.insert(bundleID, badge);
        if (const QString text = badge.badgeText(); !text.isEmpty())
            badges.insert(bundleID, text);
    }
    if (details != m_badgeDetails) {
        m_badgeDetails = details;
        emit badgeDetailsChanged(m_badgeDetails);
    }
    if (badges != m_badges) {
        m_badges = badges;
        emit badgesChanged(m_badges);
    }
}
