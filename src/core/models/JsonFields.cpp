#include "JsonFields.h"

namespace JsonFields {

std::optional<QString> string(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<bool> boolean(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isBool())
        return std::nullopt;
    return value.toBool();
}

std::optional<QStringList> stringList(const QJsonObject& object, const char* name)
{
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isArray())
        return std::nullopt;
    QStringList result;
    for (const QJsonValue& item : value.toArray()) {
        if (!item.isString())
            return std::nullopt;
        result.append(item.toString());
    }
    return result;
}

} // namespace JsonFields
