#pragma once

#include "core/features/taskbar/LayoutCalculator.h"

#include <QString>

#include <string>

// "(34, 10, 0)": readable in a table and in a failure message.
inline std::string describe(const LayoutOutput& layout)
{
    return QStringLiteral("(%1, %2, %3)")
        .arg(layout.iconSize)
        .arg(layout.visibleCount)
        .arg(layout.overflowCount)
        .toStdString();
}
