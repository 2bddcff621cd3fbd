#pragma once

#include "core/ports/UserDefaults.h"

#include <QVariantMap>

// An in-memory settings domain that records what was written.
class FakeUserDefaults : public UserDefaults {
public:
    QVariant value(const QString& key) const override { return values.value(key); }
    QStringList keys() const override { return values.keys(); }
    bool setValue(const QString& key, const QVariant& value) override
    {
        values.insert(key, value);
        ++writes;
        return true;
    }
    bool remove(const QString& key) override
    {
        values.remove(key);
        ++writes;
        return true;
    }

    QVariantMap values;
    int writes = 0;
};
