// The window list of one application when 200 windows are open.
#include "core/services/RunningAppsService.h"
#include "core/services/WindowsService.h"
#include "fakes/FakeProcessInspector.h"
#include "fakes/FakeWindowCapture.h"
#include "fakes/FakeWindowEnumerating.h"
#include "BenchWindows.h"

#include <benchmark/benchmark.h>

namespace {

void windowsOfAnApplicationAmongTwoHundred(benchmark::State& state)
{
    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService running(windows, processes, 1);
    running.start();
    addBenchWindows(windows, 200, 20);
    FakeWindowCapture capture;
    WindowsService service(windows, running, capture, std::make_shared<FakeWindowEnumerating>());
    for (auto _ : state)
        benchmark::DoNotOptimize(service.windowsOfPid(105));
}
BENCHMARK(windowsOfAnApplicationAmongTwoHundred)->Unit(benchmark::kMicrosecond);

} // namespace
