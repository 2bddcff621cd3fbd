#pragma once

#include <QStringList>
#include <QVariant>

// The user's settings domain: a persistent map from key to a typed value. Value kinds are
// bool, number (double), string, list, dictionary (QVariantMap) and data (QByteArray);
// an absent key reads as an invalid QVariant.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    virtual QVariant value(const QString& key) const = 0;
    virtual QStringList keys() const = 0;
    // False when the change could not be made durable; the value still reads back until restart.
    virtual bool setValue(const QString& key, const QVariant& value) = 0;
    virtual bool remove(const QString& key) = 0;
};
