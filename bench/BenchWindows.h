#pragma once

#include "fakes/FakeWindowSystem.h"

// `count` ordinary windows spread over `apps` applications (app0, app1, ...), each with its own pid.
inline void addBenchWindows(FakeWindowSystem& windows, quint32 count, quint32 apps)
{
    for (quint32 i = 1; i <= count; ++i) {
        ClientWindow w;
        w.id = WindowId{i};
        w.pid = qint32(100 + i % apps);
        w.wmInstance = QStringLiteral("app%1").arg(i % apps);
        w.wmClass = QStringLiteral("App%1").arg(i % apps);
        w.title = QStringLiteral("Window %1").arg(i);
        w.viewable = true;
        w.frame = QRect(0, 0, 500, 400);
        windows.add(w);
    }
}
