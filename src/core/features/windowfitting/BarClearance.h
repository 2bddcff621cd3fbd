#pragma once

#include "ScreenBox.h"

#include <QRect>

#include <optional>

// `rect` with its edge on the bar's side pulled back to the bar's inner edge, when it reaches past
// that edge.
QRect clearOfBar(const QRect& rect, const QRect& bar, BarPosition position);

// The frame for a window that reaches under its monitor's bar; nothing when it does not, or when
// keeping it clear would leave it 100 x 60 or smaller (an overlapping window beats a tiny one).
std::optional<QRect> clampedFrame(const QRect& window, const ScreenBox& box);

// The space a window may fill on the box's monitor: its visible frame less the bar.
QRect freeArea(const ScreenBox& box);
