#pragma once

// How large the icons are and how many stay on the bar; the rest go to the overflow menu.
struct LayoutOutput {
    double iconSize = 0.0;
    int visibleCount = 0;
    int overflowCount = 0;

    bool operator==(const LayoutOutput&) const = default;
};
