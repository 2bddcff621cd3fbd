// The window list of one application when 200 windows are open.
#include "core/services/RunningAppsService.h"
#include "core/services/WindowsService.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowCapture.h"
#include "fakes/FakeWindowEnumerating.h"
#include "fakes/FakeWindowSystem.h"

#include <benchmark/benchmark.h>

namespace {

void windowsOfAnApplicationAmongTwoHundred(benchmark::State& state)
{
    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService running(windows, processes, 1);
    running.start();
    for (quint32 i = 1; i <= 200; ++i) {
        ClientWindow w;
        w.id = WindowId{i};
        w.pid = qint32(100 + i % 20);
        w.wmInstance = QStringLiteral("app%1").arg(i % 20);
        w.wmClass = QStringLiteral("App%1").arg(i % 20);
        w.title = QStringLiteral("Window %1").arg(i);
        w.viewable = true;
        w.frame = QRect(0, 0, 500, 400);
        windows.add(w);
    }
    FakeWindowCapture capture;
    WindowsService service(windows, running, capture, std::make_shared<FakeWindowEnumerating>());
    for (auto _ : state)
        benchmark::DoNotOptimize(service.windowsOfPid(105));
}
BENCHMARK(windowsOfAnApplicationAmongTwoHundred)->Unit(benchmark::kMicrosecond);

} // namespace
