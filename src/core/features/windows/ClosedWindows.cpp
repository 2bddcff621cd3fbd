#include "ClosedWindows.h"

namespace {

QSet<WindowId> idsWhere(const QList<WindowInfo>& windows, bool elsewhere)
{
    QSet<WindowId> ids;
    for (const WindowInfo& window : windows)
        if ((window.state == WindowInfo::State::Elsewhere) == elsewhere)
            ids.insert(window.windowID);
    return ids;
}

} // namespace

QSet<WindowId> ClosedWindows::candidates(const QList<WindowInfo>& windows)
{
    return idsWhere(windows, true);
}

QSet<WindowId> ClosedWindows::known(const QList<WindowInfo>& windows)
{
    return idsWhere(windows, false);
}

std::optional<QSet<WindowId>> ClosedWindows::closed(const QSet<WindowId>& candidates, const QSet<WindowId>& known,
                                                    const std::optional<QSet<WindowId>>& found)
{
    if (!found || !found->contains(known))
        return std::nullopt;
    return QSet<WindowId>(candidates).subtract(*found);
}

QList<WindowInfo> ClosedWindows::visible(const QList<WindowInfo>& windows, const QSet<WindowId>& closed)
{
    QList<WindowInfo> result;
    for (const WindowInfo& window : windows)
        if (window.state != WindowInfo::State::Elsewhere || !closed.contains(window.windowID))
            result.append(window);
    return result;
}
