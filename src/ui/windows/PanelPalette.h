#pragma once

#include "core/models/PanelAppearance.h"

#include <QPalette>

#include <optional>

// The palette a panel draws with: light, dark, or the desktop's own when no appearance is forced.
QPalette panelPalette(std::optional<Appearance> appearance);

QColor withAlpha(QColor color, double alpha);
// Marks, placeholders and notes: the text colour at half strength.
QColor secondaryText(const QPalette& palette);
