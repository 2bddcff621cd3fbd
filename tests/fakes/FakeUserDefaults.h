#pragma once

#include "core/services/InMemoryUserDefaults.h"

// An in-memory settings domain that counts writes; `values` is open for arranging and checking.
class FakeUserDefaults : public InMemoryUserDefaults {
public:
    bool setValue(const QString& key, const QVariant& value) override
    {
        ++writes;
        return InMemoryUserDefaults::setValue(key, value);
    }
    bool remove(const QString& key) override
    {
        ++writes;
        return InMemoryUserDefaults::remove(key);
    }

    QVariantMap& values = m_values;
    int writes = 0;
};
