#include "FlyoutPlacement.h"

#include <algorithm>
#include <cmath>

namespace FlyoutPlacement {

namespace {

constexpr int barGap = 1;
constexpr int screenMargin = 8;
constexpr int entranceOffset = 12;
// Far beyond any screen; keeps the arithmetic below clear of overflow for absurd sizes.
constexpr double largestLength = 1 << 20;

int wholeLength(double length)
{
    if (!(length > 0))
        return 0;
    return static_cast<int>(std::ceil(std::min(length, largestLength)));
}

// The start of a flyout of `length` centred on the span [start, start + span).
int centredOn(int start, int span, int length)
{
    return static_cast<int>(std::floor(start + (span - length) / 2.0));
}

} // namespace

QRect frame(const QRect& anchor, const QRect& bar, const QSizeF& size, BarPosition position, const QRect& screen)
{
    const int width = wholeLength(size.width());
    const int height = wholeLength(size.height());
    int x = 0;
    int y = 0;
    switch (position) {
    case BarPosition::Bottom:
        x = centredOn(anchor.x(), anchor.width(), width);
        y = bar.y() - barGap - height;
        break;
    case BarPosition::Top:
        x = centredOn(anchor.x(), anchor.width(), width);
        y = bar.y() + bar.height() + barGap;
        break;
    case BarPosition::Left:
        x = bar.x() + bar.width() + barGap;
        y = centredOn(anchor.y(), anchor.height(), height);
        break;
    case BarPosition::Right:
        x = bar.x() - barGap - width;
        y = centredOn(anchor.y(), anchor.height(), height);
        break;
    }
    x = clamp(x, screen.x() + screenMargin, screen.x() + screen.width() - screenMargin - width);
    y = clamp(y, screen.y() + screenMargin, screen.y() + screen.height() - screenMargin - height);
    return {x, y, width, height};
}

QRect entranceFrame(const QRect& target, BarPosition position)
{
    switch (position) {
    case BarPosition::Bottom:
        return target.translated(0, entranceOffset);
    case BarPosition::Top:
        return target.translated(0, -entranceOffset);
    case BarPosition::Left:
        return target.translated(-entranceOffset, 0);
    case BarPosition::Right:
        return target.translated(entranceOffset, 0);
    }
    return target;
}

int clamp(int value, int low, int high)
{
    return std::max(low, std::min(high, value));
}

} // namespace FlyoutPlacement
