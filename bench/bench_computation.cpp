// The hyetograph computation against its physical floor: the pow call that
// every minute needs.

#include "hyetograph.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace velmora;

namespace {

TExpressionObject StormOfMinutes(std::int64_t minutes) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = static_cast<double>(minutes);
    return storm;
}

void BM_CalcHyetograph(benchmark::State& state) {
    const TExpressionObject storm = StormOfMinutes(state.range(0));
    TOptions options;
    options.Bool_CalcByShow = state.range(1) != 0;
    for (auto _ : state) {
        THyetographResult result = CalcHyetograph(storm, options);
        benchmark::DoNotOptimize(result.rows.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
}

// The same pow calls on the same bases, and nothing else.
void BM_PowFloor(benchmark::State& state) {
    const TExpressionObject storm = StormOfMinutes(state.range(0));
    const double peak = storm.Storm_Percent * storm.Storm_Time;
    const double exponent = storm.n + 1;
    for (auto _ : state) {
        double sum = 0;
        for (std::int64_t m = 0; m <= state.range(0); ++m) {
            const double minute = static_cast<double>(m);
            const double d = minute <= peak ? (peak - minute) / storm.Storm_Percent
                                            : (minute - peak) / (1 - storm.Storm_Percent);
            sum += std::pow(d + storm.b, exponent);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
}

} // namespace

BENCHMARK(BM_CalcHyetograph)
    ->ArgsProduct({{1440, 10080, 100000}, {0, 1}})
    ->ArgNames({"T", "calcByShow"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PowFloor)->Arg(1440)->Arg(10080)->Arg(100000)->ArgName("T")->Unit(benchmark::kMicrosecond);
