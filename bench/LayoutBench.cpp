// One layout of the bar's icons, as the model computes it on every change: the three paths.
#include "core/features/taskbar/LayoutCalculator.h"

#include <benchmark/benchmark.h>

namespace {

void calculateLayout(benchmark::State& state)
{
    const LayoutCalculator calculator;
    LayoutInput input { double(state.range(0)), 48, 10, 4, 32, 32, 1 };
    for (auto _ : state) {
        benchmark::DoNotOptimize(input);
        benchmark::DoNotOptimize(calculator.calculate(input));
    }
}
// All fit, shrink to fit, overflow.
BENCHMARK(calculateLayout)->Arg(500)->Arg(380)->Arg(300)->Unit(benchmark::kNanosecond);

} // namespace
