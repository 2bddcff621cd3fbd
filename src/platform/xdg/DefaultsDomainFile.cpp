#include "DefaultsDomainFile.h"

#include "DefaultsJson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>

Q_LOGGING_CATEGORY(lcDefaults, "app.pellux.Pellux.defaults", QtInfoMsg)

DefaultsDomainFile::DefaultsDomainFile(QString path) : m_path(std::move(path))
{
    load();
}

QString DefaultsDomainFile::standardPath()
{
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/pellux/app.pellux.Pellux.json");
}

QVariant DefaultsDomainFile::value(const QString& key) const
{
    return m_values.value(key);
}

QStringList DefaultsDomainFile::keys() const
{
    return m_values.keys();
}

bool DefaultsDomainFile::setValue(const QString& key, const QVariant& value)
{
    if (!value.isValid())
        return remove(key);
    reloadIfChangedOnDisk();
    m_values.insert(key, value);
    return write();
}

bool DefaultsDomainFile::remove(const QString& key)
{
    reloadIfChangedOnDisk();
    m_values.remove(key);
    return write();
}

void DefaultsDomainFile::load()
{
    bool corrupt = false;
    const auto values = readFile(corrupt);
    if (values) {
        m_values = *values;
        m_stamp = stampOnDisk();
        return;
    }
    m_values.clear();
    if (corrupt)
        setAside();
}

void DefaultsDomainFile::reloadIfChangedOnDisk()
{
    if (!m_writable || stampOnDisk() == m_stamp)
        return;
    bool corrupt = false;
    if (const auto values = readFile(corrupt)) {
        m_values = *values;
        m_stamp = stampOnDisk();
    } else if (corrupt) {
        // Something else left a broken file; keep it for inspection and write ours anew.
        setAside();
    }
}

// Nothing when the file is missing (corrupt false) or cannot be used (corrupt true).
std::optional<QVariantMap> DefaultsDomainFile::readFile(bool& corrupt) const
{
    corrupt = false;
    QFile file(m_path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcDefaults, "Settings file %s cannot be read: %s", qPrintable(m_path),
                  qPrintable(file.errorString()));
        corrupt = true;
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.trimmed().isEmpty())
        return QVariantMap();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        qCWarning(lcDefaults, "Settings file %s is corrupt: %s", qPrintable(m_path),
                  qPrintable(error.error != QJsonParseError::NoError ? error.errorString()
                                                                     : QStringLiteral("not a JSON object")));
        corrupt = true;
        return std::nullopt;
    }
    QVariantMap values;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it)
        if (const auto value = DefaultsJson::fromJson(it.value()))
            values.insert(it.key(), *value);
    return values;
}

void DefaultsDomainFile::setAside()
{
    QString target = m_path + QStringLiteral(".corrupt");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = m_path + QStringLiteral(".corrupt-%1").arg(n);
    if (QFile::rename(m_path, target)) {
        m_setAsidePath = target;
        m_stamp = Stamp{};
        qCWarning(lcDefaults, "Kept the unusable settings file aside as %s; starting from the defaults",
                  qPrintable(target));
        return;
    }
    m_writable = false;
    qCCritical(lcDefaults, "Could not move the unusable settings file %s aside; settings will not be saved",
               qPrintable(m_path));
}

bool DefaultsDomainFile::write()
{
    if (!m_writable)
        return false;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QJsonObject object;
    for (auto it = m_values.begin(); it != m_values.end(); ++it)
        object.insert(it.key(), DefaultsJson::toJson(it.value()));
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(object).toJson(QJsonDocument::Indented)) < 0
        || !file.commit()) {
        qCWarning(lcDefaults, "Could not save the settings to %s: %s", qPrintable(m_path),
                  qPrintable(file.errorString()));
        return false;
    }
    m_stamp = stampOnDisk();
    return true;
}

DefaultsDomainFile::Stamp DefaultsDomainFile::stampOnDisk() const
{
    struct stat info {};
    if (::stat(QFile::encodeName(m_path).constData(), &info) != 0)
        return {};
    return {info.st_ino, info.st_size, qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}
