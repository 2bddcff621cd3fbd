#pragma once

#include "core/ports/UserDefaults.h"

#include <QVariantMap>

// A settings domain that lives only as long as the object.
class InMemoryUserDefaults : public UserDefaults {
public:
    InMemoryUserDefaults() = default;
    explicit InMemoryUserDefaults(QVariantMap values) : m_values(std::move(values)) {}

    QVariant value(const QString& key) const override { return m_values.value(key); }
    QStringList keys() const override { return m_values.keys(); }
    bool setValue(const QString& key, const QVariant& value) override
    {
        m_values.insert(key, value);
        return true;
    }
    bool remove(const QString& key) override
    {
        m_values.remove(key);
        return true;
    }

protected:
    QVariantMap m_values;
};
