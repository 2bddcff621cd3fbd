#pragma once

#include <QJsonValue>
#include <QVariant>

#include <optional>

// How settings values look in the settings file: plain JSON for Booleans, numbers, texts, lists and
// dictionaries; data as {"$data": base64}. A dictionary that could be mistaken for such a tag is
// wrapped as {"$dict": {...}}.
namespace DefaultsJson {

QJsonValue toJson(const QVariant& value);
// Nothing for null or for a malformed tag.
std::optional<QVariant> fromJson(const QJsonValue& value);

} // namespace DefaultsJson
