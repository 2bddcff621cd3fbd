#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A user-made Start menu folder.
struct AppFolder {
    QString id;
    QString name;
    QStringList bundleIDs;
    bool isExpanded = false;

    bool operator==(const AppFolder&) const = default;

    // UTF-8 JSON array of {"id","name","bundleIDs","isExpanded"}; every member is required.
    static QByteArray encodeList(const QList<AppFolder>& folders);
    static std::optional<QList<AppFolder>> decodeList(const QByteArray& json);
};
