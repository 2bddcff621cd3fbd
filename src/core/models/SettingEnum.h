#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

// A setting stored as its raw text. Each enum specialises SettingEnumTraits with its cases in
// declaration order (the order pickers list them) and the case used for unknown text.
template <typename E>
struct SettingEnumCase {
    E value;
    const char* raw;
    const char* title;
};

template <typename E>
struct SettingEnumTraits;

namespace SettingEnum {

template <typename E>
QString rawValue(E value)
{
    for (const auto& c : SettingEnumTraits<E>::cases)
        if (c.value == value)
            return QString::fromLatin1(c.raw);
    return {};
}

template <typename E>
QString displayTitle(E value)
{
    for (const auto& c : SettingEnumTraits<E>::cases)
        if (c.value == value)
            return QString::fromUtf8(c.title);
    return {};
}

// Exact, case-sensitive match against the raw values.
template <typename E>
std::optional<E> parse(const QString& raw)
{
    for (const auto& c : SettingEnumTraits<E>::cases)
        if (raw == QLatin1String(c.raw))
            return c.value;
    return std::nullopt;
}

template <typename E>
E fromRawValue(const QString& raw)
{
    return parse<E>(raw).value_or(SettingEnumTraits<E>::fallback);
}

template <typename E>
QList<E> allCases()
{
    QList<E> result;
    for (const auto& c : SettingEnumTraits<E>::cases)
        result.append(c.value);
    return result;
}

} // namespace SettingEnum
