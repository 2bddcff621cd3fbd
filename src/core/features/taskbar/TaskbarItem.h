#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// One application on the bar: pinned, running, or both. Its identity is its bundle id.
struct TaskbarItem {
    QString bundleID;
    QString name;
    std::optional<QString> url; // the desktop file, to launch it; none when it is not installed
    bool isPinned = false;
    bool isRunning = false;
    bool isActive = false;
    std::optional<qint32> processIdentifier; // none when not running or when its windows name no process
    std::optional<QString> badge;

    bool operator==(const TaskbarItem&) const = default;
};
