#include "PinnedShortcut.h"

#include "JsonFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace PinnedShortcuts {

QByteArray encode(const PinnedShortcutMap& shortcuts)
{
    QJsonObject root;
    for (auto it = shortcuts.begin(); it != shortcuts.end(); ++it) {
        QJsonArray list;
        for (const PinnedShortcut& shortcut : it.value()) {
            list.append(QJsonObject{
                {QStringLiteral("id"), shortcut.id},
                {QStringLiteral("name"), shortcut.name},
                {QStringLiteral("target"), shortcut.target},
            });
        }
        root.insert(it.key(), list);
    }
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<PinnedShortcutMap> decode(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    PinnedShortcutMap result;
    const QJsonObject root = document.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!it.value().isArray())
            return std::nullopt;
        QList<PinnedShortcut> list;
        for (const QJsonValue& item : it.value().toArray()) {
            const QJsonObject object = item.toObject();
            const auto id = JsonFields::string(object, "id");
            const auto name = JsonFields::string(object, "name");
            const auto target = JsonFields::string(object, "target");
            if (!item.isObject() || !id || !name || !target)
                return std::nullopt;
            list.append({*id, *name, *target});
        }
        result.insert(it.key(), list);
    }
    return result;
}

} // namespace PinnedShortcuts
