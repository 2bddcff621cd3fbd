#pragma once

#include "SettingEnums.h"

#include <QColor>
#include <QString>

#include <optional>

enum class Appearance { Light, Dark };

// The light or dark look of a panel, and the colour behind its content.
namespace PanelAppearance {

// A tint decides by its brightness; without one the theme does, and "auto" leaves it to the desktop.
std::optional<Appearance> resolve(const QString& tintHex, AppTheme theme);

// The tint colour (or the window background at 40 % when there is none), opaque unless transparent.
QColor backdropFill(const QString& tintHex, bool transparent, const QColor& windowBackground);

} // namespace PanelAppearance
