#pragma once

#include "SettingEnums.h"

#include <QRect>

// Where a bar sits on its monitor. `frame` is the monitor; `visibleFrame` is the monitor less the
// space other panels reserve. Bottom, left and right bars start from the monitor's own edges; a top
// bar sits under any top panel, and vertical bars reach one pixel into a top panel, never past the
// monitor's top. For vertical bars the height setting is the bar's width.
QRect frameForBar(const QRect& frame, const QRect& visibleFrame, BarPosition position, double height);
