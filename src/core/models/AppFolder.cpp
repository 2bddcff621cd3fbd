#include "AppFolder.h"

#include "JsonFields.h"

#include <QJsonDocument>

QByteArray AppFolder::encodeList(const QList<AppFolder>& folders)
{
    QJsonArray array;
    for (const AppFolder& folder : folders) {
        array.append(QJsonObject{
            {QStringLiteral("id"), folder.id},
            {QStringLiteral("name"), folder.name},
            {QStringLiteral("bundleIDs"), QJsonArray::fromStringList(folder.bundleIDs)},
            {QStringLiteral("isExpanded"), folder.isExpanded},
        });
    }
    return QJsonDocument(array).toJson(QJsonDocument::Compact);
}

std::optional<QList<AppFolder>> AppFolder::decodeList(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QList<AppFolder> folders;
    for (const QJsonValue& item : document.array()) {
        const QJsonObject object = item.toObject();
        const auto id = JsonFields::string(object, "id");
        const auto name = JsonFields::string(object, "name");
        const auto bundleIDs = JsonFields::stringList(object, "bundleIDs");
        const auto isExpanded = JsonFields::boolean(object, "isExpanded");
        if (!item.isObject() || !id || !name || !bundleIDs || !isExpanded)
            return std::nullopt;
        folders.append({*id, *name, *bundleIDs, *isExpanded});
    }
    return folders;
}
