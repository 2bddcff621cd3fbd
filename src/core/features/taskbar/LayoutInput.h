#pragma once

// What the layout of the application icons depends on; lengths in logical pixels.
struct LayoutInput {
    double availableWidth = 0.0; // along the bar's main axis: a height on vertical bars
    double barHeight = 0.0; // the bar's thickness
    int totalIconCount = 0;
    double padding = 0.0; // gap between neighbouring icons
    double minIconSize = 0.0;
    double overflowButtonWidth = 0.0;
    double iconScale = 1.0;

    bool operator==(const LayoutInput&) const = default;
};
