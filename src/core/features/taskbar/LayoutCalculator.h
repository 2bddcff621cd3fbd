#pragma once

#include "LayoutCalculating.h"

// Icons at full size when they fit, shrunk down to the minimum size when that makes them fit,
// otherwise at the minimum size with the rest overflowing; at least one icon always stays.
class LayoutCalculator : public LayoutCalculating {
public:
    LayoutOutput calculate(const LayoutInput& input) const override;

    // The length of `icons` icons of `size` with `spacing` between neighbours.
    static double width(int icons, double size, double spacing);
};
