#pragma once

#include <QColor>
#include <QString>

#include <optional>

// The panel tint's text form: eight hexadecimal digits RRGGBBAA, with an optional leading "#".
namespace ColorHex {

std::optional<QColor> parse(const QString& text);
// Eight upper-case digits, no "#"; empty for an invalid colour.
QString hexRGBA(const QColor& color);
// 0.299 R + 0.587 G + 0.114 B in sRGB, alpha ignored; 1.0 for an invalid colour.
double perceivedBrightness(const QColor& color);

} // namespace ColorHex
