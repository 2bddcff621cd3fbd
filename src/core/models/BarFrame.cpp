#include "BarFrame.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace {

int thicknessFor(double height, int limit)
{
    constexpr double fallback = 48.0;
    const double value = std::isfinite(height) ? height : fallback;
    return std::clamp(static_cast<int>(std::lround(value)), 1, std::max(1, limit));
}

} // namespace

QRect frameForBar(const QRect& frame, const QRect& visibleFrame, BarPosition position, double height)
{
    const int bottomEdge = frame.y() + frame.height();
    const int verticalTop = std::max(frame.y(), visibleFrame.y() - 1);
    switch (position) {
    case BarPosition::Bottom: {
        const int h = thicknessFor(height, frame.height());
        return {frame.x(), bottomEdge - h, frame.width(), h};
    }
    case BarPosition::Top: {
        const int h = thicknessFor(height, frame.height());
        return {frame.x(), visibleFrame.y(), frame.width(), h};
    }
    case BarPosition::Left: {
        const int w = thicknessFor(height, frame.width());
        return {frame.x(), verticalTop, w, bottomEdge - verticalTop};
    }
    case BarPosition::Right: {
        const int w = thicknessFor(height, frame.width());
        return {frame.x() + frame.width() - w, verticalTop, w, bottomEdge - verticalTop};
    }
    }
    return {};
}
