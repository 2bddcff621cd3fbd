#include "PreviewWindows.h"

#include <QSet>

#include <algorithm>

PreviewWindows::Result PreviewWindows::reconcile(const QList<WindowInfo>& previous, const QList<WindowInfo>& fresh,
                                                 const QHash<WindowId, int>& misses)
{
    QSet<WindowId> freshIds;
    for (const WindowInfo& window : fresh)
        freshIds.insert(window.windowID);
    Result result{fresh, {}};
    for (const WindowInfo& window : previous) {
        if (freshIds.contains(window.windowID))
            continue;
        const int missed = misses.value(window.windowID, 0) + 1;
        if (missed > maxMisses)
            continue;
        result.windows.append(window);
        result.misses.insert(window.windowID, missed);
    }
    std::stable_sort(result.windows.begin(), result.windows.end(),
                     [](const WindowInfo& a, const WindowInfo& b) { return a.windowID < b.windowID; });
    return result;
}
