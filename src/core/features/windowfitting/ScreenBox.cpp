#include "ScreenBox.h"

#include <algorithm>

std::optional<ScreenBox> boxContaining(const QRect& rect, const QList<ScreenBox>& boxes)
{
    if (boxes.isEmpty())
        return std::nullopt;
    const QPoint centre = rect.center();
    const auto found = std::find_if(boxes.begin(), boxes.end(),
                                    [&](const ScreenBox& box) { return box.frame.contains(centre); });
    return found != boxes.end() ? *found : boxes.first();
}
