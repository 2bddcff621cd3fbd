#include "core/features/taskbar/LayoutCalculator.h"
#include "support/LayoutDescription.h"

#include <QString>

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct Case {
    const char* name;
    LayoutInput in; // available, bar height, count, padding, minimum size, overflow button, scale
    LayoutOutput out;
};

const Case cases[] = {
    { "all fit at full size", { 500, 48, 10, 4, 32, 32, 1 }, { 40, 10, 0 } },
    { "exactly the full length still fits", { 436, 48, 10, 4, 32, 32, 1 }, { 40, 10, 0 } },
    { "just short of it shrinks, rounded down", { 435, 48, 10, 4, 32, 32, 1 }, { 39, 10, 0 } },
    { "shrink to fit", { 380, 48, 10, 4, 32, 32, 1 }, { 34, 10, 0 } },
    { "shrinking exactly to the minimum still fits", { 356, 48, 10, 4, 32, 32, 1 }, { 32, 10, 0 } },
    { "below the minimum overflows", { 355, 48, 10, 4, 32, 32, 1 }, { 32, 9, 1 } },
    { "overflow", { 300, 48, 10, 4, 32, 32, 1 }, { 32, 7, 3 } },
    { "room for two beside the overflow button", { 100, 48, 10, 4, 32, 32, 1 }, { 32, 2, 8 } },
    { "room for one keeps one", { 70, 48, 10, 4, 32, 32, 1 }, { 32, 1, 9 } },
    { "no room at all still keeps one", { 0, 48, 3, 4, 32, 32, 1 }, { 32, 1, 2 } },
    { "a negative length keeps one", { -50, 48, 3, 4, 32, 32, 1 }, { 32, 1, 2 } },
    { "the bar's thickness caps the icon", { 500, 40, 10, 4, 32, 32, 1 }, { 38, 10, 0 } },
    { "a thin bar caps below the minimum", { 500, 20, 10, 4, 32, 32, 1 }, { 18, 10, 0 } },
    { "scale enlarges up to the thickness", { 500, 48, 3, 4, 48, 32, 1.5 }, { 46, 3, 0 } },
    { "scale shrinks", { 500, 48, 3, 4, 16, 32, 0.5 }, { 20, 3, 0 } },
    { "padding takes from the full size", { 500, 48, 3, 8, 32, 32, 1 }, { 32, 3, 0 } },
    { "no items", { 500, 48, 0, 4, 32, 32, 1 }, { 40, 0, 0 } },
    { "a negative count is no items", { 500, 48, -3, 4, 32, 32, 1 }, { 40, 0, 0 } },
    { "one item at full size", { 40, 48, 1, 4, 32, 32, 1 }, { 40, 1, 0 } },
    { "one item shrinks", { 35.5, 48, 1, 4, 32, 32, 1 }, { 35, 1, 0 } },
    { "one item below the minimum stays", { 10, 48, 1, 4, 32, 32, 1 }, { 32, 1, 0 } },
    { "a million items", { 1920, 48, 1'000'000, 4, 32, 32, 1 }, { 32, 52, 999'948 } },
    { "the most items there can be", { 1920, 48, INT_MAX, 4, 32, 32, 1 }, { 32, 52, INT_MAX - 52 } },
    { "an undefined length keeps one", { nan, 48, 3, 4, 32, 32, 1 }, { 32, 1, 2 } },
    { "zero-sized icons without padding", { -10, 48, 5, 0, 0, 32, 1 }, { 0, 1, 4 } },
};

TEST(LayoutCalculator, SizesIconsAndSplitsOffTheOverflow)
{
    const LayoutCalculator calculator;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(describe(calculator.calculate(c.in)), describe(c.out));
    }
}

TEST(LayoutCalculator, WidthOfIconsCountsTheGapsBetweenThem)
{
    EXPECT_EQ(LayoutCalculator::width(10, 40, 4), 436);
    EXPECT_EQ(LayoutCalculator::width(1, 40, 4), 40);
    EXPECT_EQ(LayoutCalculator::width(3, 32.5, 0), 97.5);
}

} // namespace
