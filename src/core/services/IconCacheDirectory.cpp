#include "IconCacheDirectory.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QStandardPaths>

#include <algorithm>

Q_LOGGING_CATEGORY(lcIcons, "app.pellux.Pellux.icons", QtInfoMsg)

namespace {

constexpr qsizetype fingerprintLength = 16;
const QString pngSuffix = QStringLiteral(".png");

} // namespace

IconCacheDirectory::IconCacheDirectory(QString path)
    : m_path(std::move(path))
{
    QDir().mkpath(m_path);
}

QString IconCacheDirectory::defaultPath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/pellux/icons");
}

bool IconCacheDirectory::isUsableBundleID(const QString& bundleID)
{
    return !bundleID.isEmpty() && !bundleID.contains(u'/') && !bundleID.contains(QChar(0));
}

QString IconCacheDirectory::key(const QString& bundleID, const QString& fingerprint)
{
    return bundleID + u'-' + fingerprint;
}

QString IconCacheDirectory::fileName(const QString& key)
{
    return key + pngSuffix;
}

bool IconCacheDirectory::isCacheFile(const QString& name, const QString& bundleID)
{
    const QString prefix = bundleID + u'-';
    return name.size() == prefix.size() + fingerprintLength + pngSuffix.size() && name.startsWith(prefix)
        && name.endsWith(pngSuffix) && isFingerprint(QStringView(name).sliced(prefix.size(), fingerprintLength));
}

bool IconCacheDirectory::isFingerprint(QStringView text)
{
    return text.size() == fingerprintLength && std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
    });
}

QImage IconCacheDirectory::read(const QString& key) const
{
    return QImage(QDir(m_path).filePath(fileName(key)), "PNG");
}

void IconCacheDirectory::write(const QString& key, const QByteArray& png) const
{
    QFile file(QDir(m_path).filePath(fileName(key)));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(png) == png.size())
        return;
    qCCritical(lcIcons, "Failed to write icon cache for %s: %s", qUtf8Printable(fileName(key)),
        qUtf8Printable(file.errorString()));
}

void IconCacheDirectory::removeStaleFiles(const QString& bundleID, const QString& keepName) const
{
    const QString unfingerprinted = bundleID + pngSuffix;
    for (const QString& name : fileNames()) {
        if (name != keepName && (name == unfingerprinted || isCacheFile(name, bundleID)))
            remove(name);
    }
}

void IconCacheDirectory::removeLegacyFiles() const
{
    for (const QString& name : fileNames()) {
        if (!name.endsWith(pngSuffix))
            continue;
        const QStringView stem = QStringView(name).chopped(pngSuffix.size());
        const qsizetype dash = stem.lastIndexOf(u'-');
        if (dash < 0 || !isFingerprint(stem.sliced(dash + 1)))
            remove(name);
    }
}

QStringList IconCacheDirectory::fileNames() const
{
    return QDir(m_path).entryList(QDir::Files | QDir::Hidden);
}

void IconCacheDirectory::remove(const QString& name) const
{
    QFile::remove(QDir(m_path).filePath(name));
}
