#include "IconFingerprint.h"

#include "core/ports/BundleFileReading.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr int fingerprintLength = 16;

double latestModification(const QStringList& candidates, const BundleFileReading& files)
{
    double latest = 0;
    bool found = false;
    for (const QString& path : candidates) {
        const std::optional<double> time = files.modificationTime(path);
        if (!time || !std::isfinite(*time))
            continue;
        latest = found ? std::max(latest, *time) : *time;
        found = true;
    }
    return latest;
}

} // namespace

QString IconFingerprint::of(
    const QString& desktopFile, const std::optional<QString>& iconFile, const BundleFileReading& files)
{
    QStringList candidates { desktopFile };
    if (iconFile)
        candidates.append(*iconFile);
    const QByteArray digest = QCryptographicHash::hash(
        text(desktopFile, iconFile, latestModification(candidates, files)).toUtf8(), QCryptographicHash::Sha256);
    return QString::fromLatin1(digest.toHex()).left(fingerprintLength);
}

QString IconFingerprint::text(const QString& desktopFile, const std::optional<QString>& iconFile, double latestModification)
{
    const QString path = desktopFile.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(desktopFile).absoluteFilePath());
    return QStringList { path, iconFile.value_or(QString()), QString(), formatSeconds(latestModification) }.join(u'\n');
}

QString IconFingerprint::formatSeconds(double seconds)
{
    // Fixed notation without a precision is the shortest text that round-trips.
    std::array<char, 400> buffer {};
    const auto [end, error]
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), seconds, std::chars_format::fixed);
    if (error != std::errc())
        return QStringLiteral("0.0");
    QString text = QString::fromLatin1(buffer.data(), end - buffer.data());
    if (!text.contains(u'.') && std::isfinite(seconds))
        text += QStringLiteral(".0");
    return text;
}
