#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// A user shortcut shown in one application's menu: a path or address opened by name.
struct PinnedShortcut {
    QString id;
    QString name;
    QString target;

    bool operator==(const PinnedShortcut&) const = default;
};

using PinnedShortcutMap = QMap<QString, QList<PinnedShortcut>>;

namespace PinnedShortcuts {
// UTF-8 JSON object: bundle id -> array of {"id","name","target"}; every member is required.
QByteArray encode(const PinnedShortcutMap& shortcuts);
std::optional<PinnedShortcutMap> decode(const QByteArray& json);
} // namespace PinnedShortcuts
