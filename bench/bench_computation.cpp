// The hyetograph computation against its physical floor: the pow call that
// every minute needs.

#include "hyetograph.h"

#include <benchmark/benchmark.h>

#include <immintrin.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace velmora;

// glibc's vector maths library: pow on 4 doubles (AVX2) and on 2 (SSE).
extern "C" __m256d _ZGVdN4vv_pow(__m256d, __m256d);
extern "C" __m128d _ZGVbN2vv_pow(__m128d, __m128d);

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
        Result<THyetograph> result = CalcHyetograph(storm, options);
        benchmark::DoNotOptimize(result->rows.data());
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

// The bases of the pow calls of a storm of `minutes` minutes, as the floor
// loops above work them out.
std::vector<double> BasesOf(const TExpressionObject& storm, std::int64_t minutes) {
    const double peak = storm.Storm_Percent * storm.Storm_Time;
    std::vector<double> bases(static_cast<std::size_t>(minutes + 1));
    for (std::int64_t m = 0; m <= minutes; ++m) {
        const double minute = static_cast<double>(m);
        const double d = minute <= peak ? (peak - minute) / storm.Storm_Percent
                                        : (minute - peak) / (1 - storm.Storm_Percent);
        bases[static_cast<std::size_t>(m)] = d + storm.b;
    }
    return bases;
}

__attribute__((target("avx2"))) double SumOfPowsAvx2(const std::vector<double>& bases,
                                                     double exponent) {
    const __m256d e = _mm256_set1_pd(exponent);
    __m256d sum = _mm256_setzero_pd();
    std::size_t i = 0;
    for (; i + 4 <= bases.size(); i += 4)
        sum = _mm256_add_pd(sum, _ZGVdN4vv_pow(_mm256_loadu_pd(&bases[i]), e));
    alignas(32) double lanes[4];
    _mm256_store_pd(lanes, sum);
    double total = lanes[0] + lanes[1] + lanes[2] + lanes[3];
    for (; i < bases.size(); ++i)
        total += std::pow(bases[i], exponent);
    return total;
}

double SumOfPowsSse(const std::vector<double>& bases, double exponent) {
    const __m128d e = _mm_set1_pd(exponent);
    __m128d sum = _mm_setzero_pd();
    std::size_t i = 0;
    for (; i + 2 <= bases.size(); i += 2)
        sum = _mm_add_pd(sum, _ZGVbN2vv_pow(_mm_loadu_pd(&bases[i]), e));
    alignas(16) double lanes[2];
    _mm_store_pd(lanes, sum);
    double total = lanes[0] + lanes[1];
    for (; i < bases.size(); ++i)
        total += std::pow(bases[i], exponent);
    return total;
}

bool HasAvx2() {
    return __builtin_cpu_supports("avx2");
}

// The floor with a vectorised pow: glibc's libmvec, AVX2 where the processor
// has it, SSE otherwise. The bases are worked out before, outside the timing,
// so this is the pow calls alone.
void BM_VectorPowFloor(benchmark::State& state) {
    const TExpressionObject storm = StormOfMinutes(state.range(0));
    const std::vector<double> bases = BasesOf(storm, state.range(0));
    const double exponent = storm.n + 1;
    const bool avx2 = HasAvx2();
    for (auto _ : state) {
        benchmark::DoNotOptimize(avx2 ? SumOfPowsAvx2(bases, exponent)
                                      : SumOfPowsSse(bases, exponent));
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
    state.SetLabel(avx2 ? "AVX2" : "SSE");
}

// The scalar pow over the same stored bases, for a like-for-like comparison.
void BM_ScalarPowOfBases(benchmark::State& state) {
    const TExpressionObject storm = StormOfMinutes(state.range(0));
    const std::vector<double> bases = BasesOf(storm, state.range(0));
    const double exponent = storm.n + 1;
    for (auto _ : state) {
        double sum = 0;
        for (const double base : bases)
            sum += std::pow(base, exponent);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 1));
}

// Four pows at once with libmvec's AVX2 variant; only this is compiled for
// AVX2, so the rest runs on any x86-64 processor.
__attribute__((target("avx2"))) void Pow4Avx2(const double* base, double exponent, double* result) {
    _mm256_store_pd(result, _ZGVdN4vv_pow(_mm256_load_pd(base), _mm256_set1_pd(exponent)));
}

std::uint64_t UlpDistance(double a, double b) {
    const auto x = std::bit_cast<std::int64_t>(a);
    const auto y = std::bit_cast<std::int64_t>(b);
    return static_cast<std::uint64_t>(std::llabs(x - y));
}

// Not a timing: how often libmvec's pow differs from the scalar one over the
// storms' range, bases 0.01 to 1e6 spread over the logarithm and exponents
// n + 1 from 1.3 to 2.2. Reported as counters.
void BM_VectorPowDifferences(benchmark::State& state) {
    const bool avx2 = state.range(0) != 0;
    if (avx2 && !HasAvx2()) {
        state.SkipWithError("no AVX2");
        return;
    }
    constexpr int Bases = 1 << 18;
    constexpr int Exponents = 10;
    std::int64_t compared = 0, differing = 0;
    std::uint64_t largest = 0;
    for (auto _ : state) {
        compared = differing = 0;
        largest = 0;
        for (int k = 0; k < Exponents; ++k) {
            const double exponent = 1.3 + 0.1 * k;
            for (int i = 0; i < Bases; i += 4) {
                alignas(32) double base[4], vector[4];
                for (int lane = 0; lane < 4; ++lane)
                    base[lane] = std::pow(10.0, -2.0 + 8.0 * (i + lane) / Bases);
                if (avx2) {
                    Pow4Avx2(base, exponent, vector);
                } else {
                    _mm_store_pd(vector, _ZGVbN2vv_pow(_mm_load_pd(base), _mm_set1_pd(exponent)));
                    _mm_store_pd(vector + 2,
                                 _ZGVbN2vv_pow(_mm_load_pd(base + 2), _mm_set1_pd(exponent)));
                }
                for (int lane = 0; lane < 4; ++lane) {
                    const std::uint64_t ulps =
                        UlpDistance(vector[lane], std::pow(base[lane], exponent));
                    ++compared;
                    differing += ulps != 0;
                    largest = std::max(largest, ulps);
                }
            }
        }
    }
    state.counters["compared"] = static_cast<double>(compared);
    state.counters["differing"] = static_cast<double>(differing);
    state.counters["maxUlp"] = static_cast<double>(largest);
    state.SetLabel(avx2 ? "AVX2" : "SSE");
}

} // namespace

BENCHMARK(BM_CalcHyetograph)
    ->ArgsProduct({{1440, 10080, 100000}, {0, 1}})
    ->ArgNames({"T", "calcByShow"})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PowFloor)
    ->Arg(1440)
    ->Arg(10080)
    ->Arg(100000)
    ->ArgName("T")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScalarPowOfBases)
    ->Arg(1440)
    ->Arg(10080)
    ->Arg(100000)
    ->ArgName("T")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VectorPowFloor)
    ->Arg(1440)
    ->Arg(10080)
    ->Arg(100000)
    ->ArgName("T")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VectorPowDifferences)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("avx2")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
