// A refresh of the running applications with 200 client windows of 40 applications.
#include "core/services/RunningAppsService.h"
#include "fakes/FakeProcessInspector.h"
#include "BenchWindows.h"

#include <benchmark/benchmark.h>

namespace {

void refreshTwoHundredWindows(benchmark::State& state)
{
    FakeWindowSystem windows;
    FakeProcessInspector processes;
    RunningAppsService service(windows, processes, 1);
    QList<InstalledApp> installed;
    for (int i = 0; i < 2000; ++i)
        installed.append({QStringLiteral("org.example.App%1").arg(i), QStringLiteral("App %1").arg(i), {}, {}, {},
                          QStringLiteral("App%1").arg(i), {}, {QStringLiteral("app%1").arg(i)}});
    service.setInstalledApps(installed);
    service.start();
    addBenchWindows(windows, 200, 40);
    for (auto _ : state) {
        // A changing active window defeats the unchanged-list shortcut at the end.
        windows.activate(WindowId{quint32(1 + state.iterations() % 200)});
    }
}
BENCHMARK(refreshTwoHundredWindows)->Unit(benchmark::kMicrosecond);

} // namespace
