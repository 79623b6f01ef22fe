// The Office exports from the grid's texts to the finished package bytes.

#include "excel_workbook.h"
#include "word_data_table.h"

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

std::vector<TResultRowTexts> RowsOfMinutes(std::int64_t minutes, const TOptions& options) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = static_cast<double>(minutes);
    std::vector<TResultRowTexts> rows;
    for (const THyetographRow& row : CalcHyetograph(storm, options).rows)
        rows.push_back(ResultRowTexts(row, options, QLatin1Char('.')));
    return rows;
}

void BM_WordDataTable(benchmark::State& state) {
    const TOptions options;
    const std::vector<TResultRowTexts> rows = RowsOfMinutes(state.range(0), options);
    for (auto _ : state) {
        Result<QByteArray> docx = WordDataTable(rows, options);
        if (!docx)
            state.SkipWithError(docx.message().toStdString().c_str());
        benchmark::DoNotOptimize(docx);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
}

void BM_ExcelChartWorkbook(benchmark::State& state) {
    const TOptions options;
    const std::vector<TResultRowTexts> rows = RowsOfMinutes(state.range(0), options);
    for (auto _ : state) {
        Result<QByteArray> xlsx = ExcelChartWorkbook(rows, options);
        if (!xlsx)
            state.SkipWithError(xlsx.message().toStdString().c_str());
        benchmark::DoNotOptimize(xlsx);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(rows.size()));
}

} // namespace

// 1,441 and 100,001 rows.
BENCHMARK(BM_WordDataTable)->Arg(1440)->Arg(100000)->ArgName("T")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExcelChartWorkbook)->Arg(1440)->Arg(100000)->ArgName("T")->Unit(benchmark::kMillisecond);
