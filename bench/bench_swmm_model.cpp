// Eight day-long storms of 1,441 rows written into large SWMM models: the
// bytes edited alone, and the whole write from reading the file to putting
// the new one in place. The time should grow with the model's size, no faster.

#include "swmm_model.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

#ifdef __GLIBC__
#include <malloc.h>
#endif

using namespace velmora;

namespace {

// A program writes a model and goes on: its buffers are new memory that the
// system hands over page by page, and that costs as much as copying the
// bytes. glibc would keep buffers below 32 MB for the next iteration and make
// the smaller models look cheaper than one write of them is.
void EveryBufferFreshMemory() {
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

std::vector<TSwmmStorm> DayLongStorms() {
    std::vector<TSwmmStorm> storms;
    TOptions options;
    options.Bool_IntervalAverage = true;
    for (const double years : {1, 2, 3, 5, 10, 20, 50, 100}) {
        TExpressionObject storm = DefaultStorm();
        storm.Storm_RepeatYear = years;
        storm.Storm_Time = 1440;
        const Result<THyetograph> computed = CalcHyetograph(storm, options);
        StoreResults(storm, computed);
        storms.push_back(SwmmStormOf(storm, computed->rows, options));
    }
    return storms;
}

// Lines of a large model, section by section as SWMM writes them; `n` objects of each kind.
void AddSection(QByteArray& model, const char* header, int n, const char* format) {
    model += header;
    model += "\r\n";
    char line[160];
    for (int i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line, format, i, i, i % 997);
        model += line;
        model += "\r\n";
    }
    model += "\r\n";
}

// A model of about `megabytes` MB: nodes, links, subcatchments with their
// map coordinates and polygons, and a long measured rainfall series, the
// kind of data that makes a model large.
QByteArray LargeModel(std::int64_t megabytes) {
    const int n = static_cast<int>(megabytes * 1024 * 1024 / 540);
    QByteArray model = "[TITLE]\r\nLarge model\r\n\r\n[OPTIONS]\r\nFLOW_UNITS           CMS\r\n"
                       "START_DATE           01/01/2024\r\nEND_DATE             01/03/2024\r\n\r\n"
                       "[RAINGAGES]\r\nRG0              INTENSITY 0:05     1.0      TIMESERIES "
                       "TS0\r\n\r\n";
    model.reserve(megabytes * 1024 * 1024 + (1 << 20));
    AddSection(model, "[SUBCATCHMENTS]", n,
               "S%-15d RG0              J%-15d 1.5      50       100      0.5      %-8d");
    AddSection(model, "[JUNCTIONS]", n, "J%-15d 10         2          0          %d          %d");
    AddSection(model, "[CONDUITS]", n, "C%-15d J%-15d J%-15d 100        0.013      0          0");
    AddSection(model, "[TIMESERIES]", n, "TS0              01/01/2024 %02d:%02d      %d.5");
    AddSection(model, "[COORDINATES]", n, "J%-15d %d.123            %d.456");
    AddSection(model, "[Polygons]", 4 * n, "S%-15d %d.123            %d.456");
    return model;
}

void BM_EditSwmmModel(benchmark::State& state) {
    EveryBufferFreshMemory();
    const QByteArray model = LargeModel(state.range(0));
    const std::vector<TSwmmStorm> storms = DayLongStorms();
    for (auto _ : state) {
        Result<TSwmmModelEdit> edited = EditSwmmModel(model, storms, {});
        if (!edited)
            state.SkipWithError(edited.message().toStdString().c_str());
        benchmark::DoNotOptimize(edited);
    }
    state.SetBytesProcessed(state.iterations() * model.size());
    state.counters["model_MB"] = static_cast<double>(model.size()) / (1024 * 1024);
}

void BM_WriteStormsIntoSwmmModel(benchmark::State& state) {
    EveryBufferFreshMemory();
    const QByteArray model = LargeModel(state.range(0));
    const std::vector<TSwmmStorm> storms = DayLongStorms();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("model.inp"));
    for (auto _ : state) {
        state.PauseTiming();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(model) != model.size())
            state.SkipWithError("cannot write the model");
        file.close();
        state.ResumeTiming();
        const Result<TSwmmModelReport> written = WriteStormsIntoSwmmModel(path, storms, {});
        if (!written)
            state.SkipWithError(written.message().toStdString().c_str());
    }
    state.SetBytesProcessed(state.iterations() * model.size());
}

} // namespace

// Models of 12, 25, 50 and 100 MB.
BENCHMARK(BM_EditSwmmModel)
    ->Arg(12)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->ArgName("MB")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteStormsIntoSwmmModel)
    ->Arg(12)
    ->Arg(25)
    ->Arg(50)
    ->Arg(100)
    ->ArgName("MB")
    ->Unit(benchmark::kMillisecond);
