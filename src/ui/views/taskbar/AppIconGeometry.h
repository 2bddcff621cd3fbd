#pragma once

#include "BarEnvironment.h"

#include <QRectF>
#include <QSizeF>

// Where the parts of an application button go, in the button widget's coordinates. The widget
// spans the bar's whole thickness; in the mac style the button itself is a square in its middle,
// and indicators may sit just outside it, towards the screen edge.
struct AppIconGeometry {
    QRectF button;
    QRectF icon;
    QRectF label;  // empty without labels
    QRectF indicator; // empty when none is drawn
    double badgeFontSize = 0;
    QPointF badgeOffset; // from the icon's top-right corner: right and up

    enum class Indicator { None, Bar, Dot };
    struct State {
        bool running = false;
        bool active = false;
    };

    static AppIconGeometry compute(const QSizeF& widget, double size, const BarEnvironment& env, State state);
    static Indicator indicatorFor(const BarEnvironment& env, State state);
};
