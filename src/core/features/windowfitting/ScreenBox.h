#pragma once

#include "core/models/SettingEnums.h"

#include <QList>
#include <QRect>

#include <optional>

// One monitor as window fitting sees it, in the root pixels window frames are measured in.
// `visibleFrame` is the monitor less what other panels reserve; `bar` is Pellux's bar on it, null
// when the monitor has none.
struct ScreenBox {
    QRect frame;
    QRect visibleFrame;
    QRect bar;
    BarPosition position = BarPosition::Bottom;

    bool operator==(const ScreenBox&) const = default;
};

// The box whose monitor holds the centre of `rect`; the first box when none does, so a window
// pushed off every monitor still has one; nothing without boxes.
std::optional<ScreenBox> boxContaining(const QRect& rect, const QList<ScreenBox>& boxes);
