#include "DefaultsJson.h"

#include <QJsonArray>
#include <QJsonObject>

namespace DefaultsJson {

namespace {

const QString dataTag = QStringLiteral("$data");
const QString dictTag = QStringLiteral("$dict");

QJsonObject mapToJson(const QVariantMap& map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        object.insert(it.key(), toJson(it.value()));
    return object;
}

QVariantMap mapFromJson(const QJsonObject& object)
{
    QVariantMap map;
    for (auto it = object.begin(); it != object.end(); ++it)
        if (const auto value = fromJson(it.value()))
            map.insert(it.key(), *value);
    return map;
}

bool looksLikeTag(const QJsonObject& object)
{
    return object.size() == 1 && (object.contains(dataTag) || object.contains(dictTag));
}

} // namespace

QJsonValue toJson(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toDouble();
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QJsonObject{{dataTag, QString::fromLatin1(value.toByteArray().toBase64())}};
    case QMetaType::QStringList:
        return QJsonArray::fromStringList(value.toStringList());
    case QMetaType::QVariantList: {
        QJsonArray array;
        for (const QVariant& item : value.toList())
            array.append(toJson(item));
        return array;
    }
    case QMetaType::QVariantMap: {
        const QJsonObject object = mapToJson(value.toMap());
        return looksLikeTag(object) ? QJsonObject{{dictTag, object}} : object;
    }
    default:
        return QJsonValue::Null;
    }
}

std::optional<QVariant> fromJson(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return QVariant(value.toBool());
    case QJsonValue::Double:
        return QVariant(value.toDouble());
    case QJsonValue::String:
        return QVariant(value.toString());
    case QJsonValue::Array: {
        QVariantList list;
        for (const QJsonValue& item : value.toArray())
            if (const auto converted = fromJson(item))
                list.append(*converted);
        return list;
    }
    case QJsonValue::Object: {
        const QJsonObject object = value.toObject();
        if (object.size() == 1 && object.contains(dataTag)) {
            const QJsonValue encoded = object.value(dataTag);
            const auto decoded = QByteArray::fromBase64Encoding(encoded.toString().toLatin1(),
                                                                QByteArray::AbortOnBase64DecodingErrors);
            if (!encoded.isString() || !decoded)
                return std::nullopt;
            return QVariant(*decoded);
        }
        if (object.size() == 1 && object.value(dictTag).isObject())
            return QVariant(mapFromJson(object.value(dictTag).toObject()));
        return QVariant(mapFromJson(object));
    }
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return std::nullopt;
}

} // namespace DefaultsJson
