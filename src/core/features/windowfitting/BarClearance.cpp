#include "BarClearance.h"

namespace {

constexpr int minimumWidth = 100;
constexpr int minimumHeight = 60;

} // namespace

// Window frames and bars are in Qt's coordinates (top-left origin, y down), so a bottom or right
// bar moves the far edge in and leaves the position alone, while a top or left bar moves the
// position and keeps the far edge.
QRect clearOfBar(const QRect& rect, const QRect& bar, BarPosition position)
{
    QRect result = rect;
    switch (position) {
    case BarPosition::Bottom:
        if (rect.y() + rect.height() > bar.y())
            result.setHeight(bar.y() - rect.y());
        break;
    case BarPosition::Top:
        if (rect.y() < bar.y() + bar.height())
            result.setTop(bar.y() + bar.height());
        break;
    case BarPosition::Left:
        if (rect.x() < bar.x() + bar.width())
            result.setLeft(bar.x() + bar.width());
        break;
    case BarPosition::Right:
        if (rect.x() + rect.width() > bar.x())
            result.setWidth(bar.x() - rect.x());
        break;
    }
    return result;
}

std::optional<QRect> clampedFrame(const QRect& window, const ScreenBox& box)
{
    if (!window.intersects(box.bar))
        return std::nullopt;
    const QRect clamped = clearOfBar(window, box.bar, box.position);
    if (clamped == window || clamped.width() <= minimumWidth || clamped.height() <= minimumHeight)
        return std::nullopt;
    return clamped;
}

QRect freeArea(const ScreenBox& box)
{
    const QRect visible = box.visibleFrame.isValid() ? box.visibleFrame : box.frame;
    return box.bar.isValid() ? clearOfBar(visible, box.bar, box.position) : visible;
}
