#pragma once

#include "SettingEnums.h"

#include <QRect>
#include <QSizeF>

// Where a flyout sits against its bar, in Qt's global coordinates (top-left origin, y down).
namespace FlyoutPlacement {

// Centred on the anchor along the bar, one pixel off the bar's edge, and kept 8 pixels inside
// `screen`. A flyout too large for the screen keeps its left and top edges inside.
QRect frame(const QRect& anchor, const QRect& bar, const QSizeF& size, BarPosition position, const QRect& screen);

// The frame moved 12 pixels towards the bar, where the entrance slide starts.
QRect entranceFrame(const QRect& target, BarPosition position);

// max(low, min(high, value)): when the range is empty the low bound wins.
int clamp(int value, int low, int high);

} // namespace FlyoutPlacement
