#include "SettingEnums.h"

bool isVertical(BarPosition position)
{
    return position == BarPosition::Left || position == BarPosition::Right;
}

QString dockOrientation(BarPosition position)
{
    switch (position) {
    case BarPosition::Left:
        return QStringLiteral("left");
    case BarPosition::Right:
        return QStringLiteral("right");
    case BarPosition::Bottom:
    case BarPosition::Top:
        break;
    }
    return QStringLiteral("bottom");
}
