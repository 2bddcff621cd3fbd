#pragma once

#include "core/models/FlyoutStyle.h"
#include "core/models/SettingEnums.h"

#include <QRect>

class GlobalClickWatch;
class PanelWindowing;

// What a bar hands down to the flyouts of its widgets: they live in windows of their own and
// see nothing of the bar otherwise.
struct FlyoutEnvironment {
    PanelWindowing* windowing = nullptr;
    GlobalClickWatch* clickWatch = nullptr;
    BarPosition position = BarPosition::Bottom;
    FlyoutStyle style;
    // The bar monitor's visible area, which the bar's controller already computes; when empty, the
    // anchor's whole screen.
    QRect screenArea;
    bool reduceMotion = false;
};
