#include "StrutPartial.h"

#include <algorithm>
#include <limits>

namespace {

bool rangesOverlap(int start, int end, int otherStart, int otherEnd)
{
    return start <= otherEnd && otherStart <= end;
}

int clampedCardinal(quint32 value)
{
    return static_cast<int>(std::min<quint32>(value, std::numeric_limits<int>::max()));
}

} // namespace

std::array<quint32, 12> StrutPartial::toCardinals() const
{
    const std::array<int, 12> values{left,       right,    top,         bottom,    leftStartY,   leftEndY,
                                     rightStartY, rightEndY, topStartX, topEndX, bottomStartX, bottomEndX};
    std::array<quint32, 12> result{};
    std::transform(values.begin(), values.end(), result.begin(),
                   [](int v) { return static_cast<quint32>(std::max(0, v)); });
    return result;
}

std::optional<StrutPartial> StrutPartial::fromCardinals(const QList<quint32>& values, const QSize& root)
{
    if (values.size() >= 12) {
        StrutPartial s;
        int* fields[] = {&s.left,       &s.right,    &s.top,       &s.bottom,  &s.leftStartY,   &s.leftEndY,
                         &s.rightStartY, &s.rightEndY, &s.topStartX, &s.topEndX, &s.bottomStartX, &s.bottomEndX};
        for (int i = 0; i < 12; ++i)
            *fields[i] = clampedCardinal(values[i]);
        return s;
    }
    if (values.size() >= 4) {
        const int lastX = root.width() - 1;
        const int lastY = root.height() - 1;
        return StrutPartial{clampedCardinal(values[0]), clampedCardinal(values[1]), clampedCardinal(values[2]),
                            clampedCardinal(values[3]), 0, lastY, 0, lastY, 0, lastX, 0, lastX};
    }
    return std::nullopt;
}

std::optional<StrutPartial> strutForBar(const QRect& bar, BarPosition position, const QRect& monitor,
                                        const QSize& root, const QList<QRect>& monitors)
{
    StrutPartial s;
    QRect reserved;
    const int barRight = bar.x() + bar.width();
    const int barBottom = bar.y() + bar.height();
    switch (position) {
    case BarPosition::Bottom:
        s.bottom = root.height() - bar.y();
        s.bottomStartX = bar.x();
        s.bottomEndX = barRight - 1;
        reserved = QRect(bar.x(), bar.y(), bar.width(), s.bottom);
        break;
    case BarPosition::Top:
        s.top = barBottom;
        s.topStartX = bar.x();
        s.topEndX = barRight - 1;
        reserved = QRect(bar.x(), 0, bar.width(), s.top);
        break;
    case BarPosition::Left:
        s.left = barRight;
        s.leftStartY = bar.y();
        s.leftEndY = barBottom - 1;
        reserved = QRect(0, bar.y(), s.left, bar.height());
        break;
    case BarPosition::Right:
        s.right = root.width() - bar.x();
        s.rightStartY = bar.y();
        s.rightEndY = barBottom - 1;
        reserved = QRect(bar.x(), bar.y(), s.right, bar.height());
        break;
    }
    for (const QRect& other : monitors)
        if (other != monitor && other.intersects(reserved))
            return std::nullopt;
    return s;
}

QRect visibleFrame(const QRect& monitor, const QSize& root, const QList<StrutPartial>& struts)
{
    int left = monitor.x();
    int top = monitor.y();
    int right = monitor.x() + monitor.width();
    int bottom = monitor.y() + monitor.height();
    for (const StrutPartial& s : struts) {
        if (s.top > 0 && rangesOverlap(s.topStartX, s.topEndX, monitor.x(), monitor.right()))
            top = std::max(top, s.top);
        if (s.bottom > 0 && rangesOverlap(s.bottomStartX, s.bottomEndX, monitor.x(), monitor.right()))
            bottom = std::min(bottom, root.height() - s.bottom);
        if (s.left > 0 && rangesOverlap(s.leftStartY, s.leftEndY, monitor.y(), monitor.bottom()))
            left = std::max(left, s.left);
        if (s.right > 0 && rangesOverlap(s.rightStartY, s.rightEndY, monitor.y(), monitor.bottom()))
            right = std::min(right, root.width() - s.right);
    }
    if (right <= left || bottom <= top)
        return monitor;
    return QRect(left, top, right - left, bottom - top);
}
