// A full refresh of the main window: computation, grid, chart, labels and one
// paint of the whole window, offscreen; and a storm added to the comparison.
// Each runs what it left queued too, as the event loop would after it.

#include "application_setup.h"
#include "main_window.h"
#include "settings_folder.h"
#include "silent_desktop.h"
#include "storm_session.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

void BM_FullRefresh(benchmark::State& state) {
    QTemporaryDir settings;
    SilentDesktop desktop;
    StormSession session(OptionsFileIn(settings.path()));
    TFormQuorvel window(session, desktop);
    window.show();
    QCoreApplication::processEvents();
    TExpressionObject storm = session.storm();
    storm.Storm_Time = static_cast<double>(state.range(0) - 1);
    session.newStorm(storm);
    for (auto _ : state) {
        window.RefreshHyetograph();
        window.repaint();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(session.table().size());
}

// The eighth storm of 1,441 minutes joining seven on the chart, with its
// redraw and one paint of the window.
void BM_AddEighthComparedStorm(benchmark::State& state) {
    QTemporaryDir settings;
    SilentDesktop desktop;
    StormSession session(OptionsFileIn(settings.path()));
    TFormQuorvel window(session, desktop);
    window.show();
    TExpressionObject storm = session.storm();
    storm.Storm_Time = 1440;
    session.newStorm(storm);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        session.clearComparison();
        // Eight storms of their own: the same storm is kept only once.
        for (int kept = 0; kept < 8; ++kept) {
            storm.Storm_RepeatYear = kept + 1;
            session.newStorm(storm);
            if (kept < 7)
                session.addToComparison();
        }
        window.repaint();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window.Menu_AddToComparisonClick();
        window.repaint();
        QCoreApplication::processEvents();
    }
    state.counters["storms"] = static_cast<double>(session.comparison().size());
}

} // namespace

BENCHMARK(BM_AddEighthComparedStorm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRefresh)
    ->Arg(1441)
    ->Arg(10081)
    ->Arg(100001)
    ->ArgName("rows")
    ->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    velmora::PrepareApplication(application);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
