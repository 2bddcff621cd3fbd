#pragma once

#include "SettingEnums.h"

#include <QList>
#include <QRect>
#include <QSize>

#include <array>
#include <optional>

// The space a dock reserves at the edges of the whole X screen (_NET_WM_STRUT_PARTIAL), in
// root-window pixels, each edge with the range along it that it covers.
struct StrutPartial {
    int left = 0, right = 0, top = 0, bottom = 0;
    int leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
    int topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;

    bool operator==(const StrutPartial&) const = default;

    std::array<quint32, 12> toCardinals() const;
    // Twelve values of _NET_WM_STRUT_PARTIAL, or four of the older _NET_WM_STRUT (whole edges).
    static std::optional<StrutPartial> fromCardinals(const QList<quint32>& values, const QSize& root);
};

// What a bar on `monitor` reserves. None when the reserved band would cover another monitor
// beyond that edge: struts run to the edge of the whole screen.
std::optional<StrutPartial> strutForBar(const QRect& bar, BarPosition position, const QRect& monitor,
                                        const QSize& root, const QList<QRect>& monitors);

// The monitor less what other docks reserve on it.
QRect visibleFrame(const QRect& monitor, const QSize& root, const QList<StrutPartial>& struts);
