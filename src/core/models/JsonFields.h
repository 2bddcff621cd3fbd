#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

// Strict readers for required members of stored JSON records: a missing member or one of
// another type gives nothing, so the caller can drop the whole record.
namespace JsonFields {

std::optional<QString> string(const QJsonObject& object, const char* name);
std::optional<bool> boolean(const QJsonObject& object, const char* name);
std::optional<QStringList> stringList(const QJsonObject& object, const char* name);

} // namespace JsonFields
