// The formula worked out from rain data: one table fitted, and a gauge's
// whole record through the three frequency curves and their fits.

#include "formula_from_records.h"
#include "intensity_formulas.h"
#include "table_fit.h"
#include "total_formula_fit.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace velmora;

namespace {

const std::vector<double> Durations = {5, 10, 15, 20, 30, 45, 60, 90, 120, 150, 180};
const TTotalFormula Formula{10.5, 0.85, 12, 0.72, CommonLogarithm};

// 11 durations × 8 periods off the formula by up to 3 %, as a gauge's table is.
TIntensityTable GaugeTable() {
    TIntensityTable table{Durations, {2, 3, 5, 10, 20, 30, 50, 100}, {}};
    for (std::size_t r = 0; r < table.durations.size(); ++r) {
        table.intensities.emplace_back();
        for (std::size_t c = 0; c < table.periods.size(); ++c)
            table.intensities.back().push_back(
                FormulaIntensity(Formula, table.durations[r], table.periods[c]) *
                (1 + 0.03 * std::sin(static_cast<double>(7 * r + 3 * c + 1))));
    }
    return table;
}

// `years` of maxima: the year ranked m has the depths of P = (years + 1)/m,
// give or take 2 %.
TAnnualMaxima GaugeRecords(int years) {
    TAnnualMaxima records{Durations, {}, {}};
    for (int k = 0; k < years; ++k) {
        records.years.push_back(1961 + k);
        const double period = (years + 1.0) / (1 + (7 * k) % years);
        records.depths.emplace_back();
        for (const double t : records.durations)
            records.depths.back().emplace_back(t * FormulaIntensity(Formula, t, period) *
                                               (1 + 0.02 * std::sin(k + t)));
    }
    return records;
}

void BM_FitTotalFormula(benchmark::State& state) {
    const TIntensityTable table = GaugeTable();
    for (auto _ : state) {
        Result<TTotalFormula> formula = FitTotalFormula(table, CommonLogarithm);
        if (!formula)
            state.SkipWithError(formula.message().toStdString().c_str());
        benchmark::DoNotOptimize(formula);
    }
}

// The total formula, the eight formulas of single periods and both accuracies.
void BM_FitIntensityTable(benchmark::State& state) {
    const TIntensityTable table = GaugeTable();
    for (auto _ : state) {
        Result<TTableFit> fit = FitIntensityTable(table, CommonLogarithm);
        if (!fit)
            state.SkipWithError(fit.message().toStdString().c_str());
        benchmark::DoNotOptimize(fit);
    }
}

void BM_AnalyseAnnualMaxima(benchmark::State& state) {
    const TAnnualMaxima records = GaugeRecords(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Result<TRecordsAnalysis> analysis =
            AnalyseAnnualMaxima(records, DefaultReturnPeriods, CommonLogarithm);
        if (!analysis)
            state.SkipWithError(analysis.message().toStdString().c_str());
        benchmark::DoNotOptimize(analysis);
    }
}

} // namespace

BENCHMARK(BM_FitTotalFormula)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitIntensityTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalyseAnnualMaxima)->Arg(30)->Arg(60)->Unit(benchmark::kMillisecond);
