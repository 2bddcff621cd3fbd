#include "AppIconGeometry.h"

#include <algorithm>

namespace {

constexpr double labelHeight = 11;

// Places a rectangle of `length` along the bar and `thickness` across it against the button's
// edge that faces the screen edge, `padding` inside that edge (negative: beyond it).
QRectF againstScreenEdge(const QRectF& button, BarPosition position, double length, double thickness, double padding)
{
    const QPointF c = button.center();
    switch (position) {
    case BarPosition::Bottom:
        return {c.x() - length / 2, button.bottom() - padding - thickness, length, thickness};
    case BarPosition::Top:
        return {c.x() - length / 2, button.top() + padding, length, thickness};
    case BarPosition::Left:
        return {button.left() + padding, c.y() - length / 2, thickness, length};
    case BarPosition::Right:
        return {button.right() - padding - thickness, c.y() - length / 2, thickness, length};
    }
    return {};
}

} // namespace

AppIconGeometry::Indicator AppIconGeometry::indicatorFor(const BarEnvironment& env, State state)
{
    if (!env.showRunningIndicators || env.showLabels || !state.running)
        return Indicator::None;
    if (env.activeIndicator == ActiveIndicatorStyle::Underline)
        return Indicator::Bar;
    return state.active ? Indicator::None : Indicator::Dot;
}

AppIconGeometry AppIconGeometry::compute(const QSizeF& widget, double size, const BarEnvironment& env, State state)
{
    AppIconGeometry g;
    const bool mac = env.highlightStyle == HighlightStyle::Mac;
    const QPointF centre(widget.width() / 2, widget.height() / 2);
    if (mac)
        g.button = QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size);
    else
        g.button = QRectF(QPointF(0, 0), widget);

    const double iconSide = std::max(0.0, size - 2 * size * env.iconPadding);
    if (env.showLabels) {
        const double inset = 3;
        const double stack = iconSide + 1 + labelHeight;
        const double top = g.button.center().y() - std::min(stack, g.button.height() - 2 * inset) / 2;
        g.icon = QRectF(g.button.center().x() - iconSide / 2, top, iconSide, iconSide);
        g.label = QRectF(g.button.left() + inset, g.icon.bottom() + 1, g.button.width() - 2 * inset, labelHeight);
    } else {
        g.icon = QRectF(g.button.center().x() - iconSide / 2, g.button.center().y() - iconSide / 2, iconSide, iconSide);
    }

    switch (indicatorFor(env, state)) {
    case Indicator::Bar:
        g.indicator = againstScreenEdge(g.button, env.position, (state.active ? 0.6 : 0.35) * size, 2, mac ? -3 : 3);
        break;
    case Indicator::Dot:
        g.indicator = againstScreenEdge(g.button, env.position, 4, 4, mac ? -2 : 3);
        break;
    case Indicator::None:
        break;
    }
    g.badgeFontSize = std::max(6.0, 0.22 * size);
    g.badgeOffset = QPointF(0.12 * size, 0.08 * size);
    return g;
}
