#pragma once

#include <QString>

#include <optional>

// What the icon cache reads of an application on disk. Called from worker threads, so
// implementations must be safe for concurrent use.
class BundleFileReading {
public:
    virtual ~BundleFileReading() = default;

    // Seconds since 1970; nothing when the file does not exist.
    virtual std::optional<double> modificationTime(const QString& path) const = 0;
    // The file that an Icon= value (a theme icon name or an absolute path) shows; nothing when no
    // such file exists.
    virtual std::optional<QString> iconFile(const QString& iconName) const = 0;
};
