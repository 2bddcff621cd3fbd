#include "ColorHex.h"

#include <cmath>

namespace ColorHex {

std::optional<QColor> parse(const QString& text)
{
    const QString digits = (text.startsWith(u'#') ? text.mid(1) : text).toUpper();
    if (digits.size() != 8)
        return std::nullopt;
    for (QChar c : digits)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return std::nullopt;
    bool ok = false;
    const quint32 v = digits.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return QColor::fromRgbF((v >> 24) / 255.0f, ((v >> 16) & 0xff) / 255.0f, ((v >> 8) & 0xff) / 255.0f,
                            (v & 0xff) / 255.0f);
}

QString hexRGBA(const QColor& color)
{
    if (!color.isValid())
        return {};
    const QColor rgb = color.toRgb();
    auto byte = [](float component) { return static_cast<uint>(std::lround(component * 255.0)); };
    return QStringLiteral("%1%2%3%4")
        .arg(byte(rgb.redF()), 2, 16, QLatin1Char('0'))
        .arg(byte(rgb.greenF()), 2, 16, QLatin1Char('0'))
        .arg(byte(rgb.blueF()), 2, 16, QLatin1Char('0'))
        .arg(byte(rgb.alphaF()), 2, 16, QLatin1Char('0'))
        .toUpper();
}

double perceivedBrightness(const QColor& color)
{
    if (!color.isValid())
        return 1.0;
    const QColor rgb = color.toRgb();
    return 0.299 * rgb.redF() + 0.587 * rgb.greenF() + 0.114 * rgb.blueF();
}

} // namespace ColorHex
