#include "PanelAppearance.h"

#include "ColorHex.h"

namespace PanelAppearance {

std::optional<Appearance> resolve(const QString& tintHex, AppTheme theme)
{
    if (const auto tint = ColorHex::parse(tintHex))
        return ColorHex::perceivedBrightness(*tint) > 0.6 ? Appearance::Light : Appearance::Dark;
    switch (theme) {
    case AppTheme::Light:
        return Appearance::Light;
    case AppTheme::Dark:
        return Appearance::Dark;
    case AppTheme::Auto:
        break;
    }
    return std::nullopt;
}

QColor backdropFill(const QString& tintHex, bool transparent, const QColor& windowBackground)
{
    const auto tint = ColorHex::parse(tintHex);
    QColor fill = tint.value_or(windowBackground);
    if (!tint)
        fill.setAlphaF(0.4f);
    if (!transparent)
        fill.setAlphaF(1.0f);
    return fill;
}

} // namespace PanelAppearance
