#include "LayoutCalculator.h"

#include <algorithm>
#include <cmath>

namespace {

// The room left for the overflow button decides how many minimum-size icons stay. Written so that
// an infinite or undefined count (a zero-sized icon, an undefined length) never reaches an int.
int visibleBesideOverflowButton(const LayoutInput& input)
{
    const double s = input.padding;
    const double k = std::floor((input.availableWidth - input.overflowButtonWidth + s) / (s + input.minIconSize));
    if (!(k >= 2))
        return 1;
    return k >= input.totalIconCount ? input.totalIconCount : int(k);
}

} // namespace

LayoutOutput LayoutCalculator::calculate(const LayoutInput& input) const
{
    const int n = input.totalIconCount;
    const double s = input.padding;
    const double full = std::min(input.barHeight - 2, (48 - 2 * s) * input.iconScale);
    if (n <= 0)
        return { full, 0, 0 };
    if (input.availableWidth >= width(n, full, s))
        return { full, n, 0 };
    const double fit = (input.availableWidth - s * (n - 1)) / n;
    if (input.minIconSize <= fit)
        return { std::floor(fit), n, 0 };
    const int visible = visibleBesideOverflowButton(input);
    return { input.minIconSize, visible, n - visible };
}

double LayoutCalculator::width(int icons, double size, double spacing)
{
    return icons * size + spacing * (double(icons) - 1);
}
