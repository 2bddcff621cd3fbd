#pragma once

#include <QString>

#include <optional>

class BundleFileReading;

// Identifies what an application's icon looks like on disk: it changes when the desktop file or
// the icon file is touched, so an updated application gets a new cache key.
class IconFingerprint {
public:
    // 16 lower-case hexadecimal digits: the first 8 bytes of the SHA-256 of text().
    static QString of(
        const QString& desktopFile, const std::optional<QString>& iconFile, const BundleFileReading& files);
    // Four lines: the absolute desktop file path, the resolved icon file (so a new icon theme gives
    // a new key), an empty line, the latest modification time (0 when no file has one).
    static QString text(const QString& desktopFile, const std::optional<QString>& iconFile, double latestModification);
    // The shortest decimal text that reads back as the same double, with at least one digit
    // after the point and never an exponent (1733912345.0, 12.5, 0.0).
    static QString formatSeconds(double seconds);
};
