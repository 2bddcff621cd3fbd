#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QVariant>

class XcbConnection;

// The desktop's settings as a settings daemon publishes them (the XSETTINGS protocol): names such
// as "Net/IconThemeName" with an integer, text or colour value.
namespace XSettings {

// Integers as int, texts as QString, colours as QColor; nothing for a malformed blob.
QHash<QString, QVariant> parse(const QByteArray& blob);
// Empty when no settings daemon runs.
QHash<QString, QVariant> read(const XcbConnection& connection);

} // namespace XSettings
