// The Office exports from the grid's texts to the finished package bytes.

#include "calculation_report.h"
#include "excel_workbook.h"
#include "picture_encoders.h"
#include "word_data_table.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

std::vector<TResultRowTexts> RowsOfMinutes(std::int64_t minutes, const TOptions& options) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = static_cast<double>(minutes);
    std::vector<TResultRowTexts> rows;
    const Result<THyetograph> computed = CalcHyetograph(storm, options);
    for (const THyetographRow& row : computed->rows)
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

// A picture like the report's chart, 553 × 400 with twice the pixels: white
// ground, a grid, the cumulative rainfall as bars and the intensity as a line.
QImage ChartLikeImage(const THyetograph& result) {
    QImage image(QSize(553, 400) * ReportChartPixelRatio, QImage::Format_RGB888);
    image.setDevicePixelRatio(ReportChartPixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QColor(220, 220, 220));
    for (int x = 40; x < 540; x += 50)
        painter.drawLine(x, 20, x, 370);
    for (int y = 20; y < 370; y += 35)
        painter.drawLine(40, y, 540, y);
    const double width = 500.0 / static_cast<double>(result.rows.size());
    const double maxIntensity = 3.36;
    for (std::size_t i = 0; i < result.rows.size(); ++i) {
        const double bar = result.rows[i].cumulative / result.overallRainfall * 350;
        painter.fillRect(QRectF(40 + i * width, 20, width * 0.8, bar), QColor(120, 160, 220));
    }
    painter.setPen(QPen(QColor(200, 30, 30), 2));
    for (std::size_t i = 1; i < result.rows.size(); ++i)
        painter.drawLine(
            QPointF(40 + (i - 1) * width, 370 - result.rows[i - 1].intensity / maxIntensity * 350),
            QPointF(40 + i * width, 370 - result.rows[i].intensity / maxIntensity * 350));
    return image;
}

// The chart picture as the report takes it, PNG-encoded.
void BM_ReportChartPng(benchmark::State& state) {
    const TOptions options;
    const QImage image = ChartLikeImage(CalcHyetograph(DefaultStorm(), options).value());
    for (auto _ : state) {
        QByteArray png = EncodePng(image).value();
        benchmark::DoNotOptimize(png);
    }
}

void BM_CalculationReport(benchmark::State& state) {
    const TOptions options;
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = static_cast<double>(state.range(0));
    const Result<THyetograph> result = CalcHyetograph(storm, options);
    StoreResults(storm, result);
    const std::vector<TResultRowTexts> rows = RowsOfMinutes(state.range(0), options);
    const QByteArray png = EncodePng(ChartLikeImage(*result)).value();
    for (auto _ : state) {
        Result<QByteArray> docx = CalculationReport(storm, options, rows, png, QLatin1Char('.'));
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
// 1,441 rows with the chart picture; the picture's encoding, done by the caller, apart.
BENCHMARK(BM_CalculationReport)->Arg(1440)->ArgName("T")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportChartPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExcelChartWorkbook)
    ->Arg(1440)
    ->Arg(100000)
    ->ArgName("T")
    ->Unit(benchmark::kMillisecond);
