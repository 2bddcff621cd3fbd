#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Renders an icon file to a 64 x 64 PNG. Called from worker threads, so implementations must be
// safe for concurrent use.
class IconLoading {
public:
    virtual ~IconLoading() = default;

    // Nothing when the file cannot be read or rendered.
    virtual std::optional<QByteArray> loadIcon(const QString& iconFile) const = 0;
};
