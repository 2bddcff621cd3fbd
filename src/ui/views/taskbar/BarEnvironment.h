#pragma once

#include "core/models/SettingEnums.h"

// What every control on a bar reads from the bar's settings.
struct BarEnvironment {
    BarPosition position = BarPosition::Bottom;
    double iconPadding = 0.06; // a fraction of the icon size
    HighlightStyle highlightStyle = HighlightStyle::Mac;
    ActiveIndicatorStyle activeIndicator = ActiveIndicatorStyle::Underline;
    bool showRunningIndicators = true;
    bool showLabels = false;

    bool isVertical() const { return ::isVertical(position); }
    bool operator==(const BarEnvironment&) const = default;
};
