#pragma once

#include "LayoutInput.h"
#include "LayoutOutput.h"

// Sizes the application icons of a bar.
class LayoutCalculating {
public:
    virtual ~LayoutCalculating() = default;

    virtual LayoutOutput calculate(const LayoutInput& input) const = 0;
};
