#pragma once

#include "cli_arguments.h"
#include "cli_run.h"
#include "storm.h"

#include <QByteArray>

namespace velmora::cli {

// Computes every combination of the request's return periods and durations
// (P in the outer order, T in the inner) on `base` with the request's other
// storm values and options, prints one CSV summary line per storm into `out`
// and, with --out-dir, writes each storm's file there through a session.
// A storm that fails gets one "出错：" line in `err` and the others go on.
// Returns 0 when every storm was done, 1 when any failed, and 2 (nothing
// computed or written) when a combination could not be kept in a storm file.
int RunBatch(const CliRequest& request, const TExpressionObject& base, QByteArray& out,
             QByteArray& err, const ReportChartPainter& reportChart);

// The options the request's storms are computed with: a SWMM file is written
// in hours and minutes and mm/h, so such a run is computed so from the start
// (and a batch's summary says so).
TOptions RequestOptions(const CliRequest& request);

// Writes the storm file or the export the request names to `path` through the
// session, which writes it atomically; the report with the chart `reportChart` draws.
Status WriteStormOutput(const CliRequest& request, StormSession& session, const QString& path,
                        const ReportChartPainter& reportChart);

// The summary's header line for storms computed with `options`, with its line end.
QString BatchSummaryHeader(const TOptions& options);

} // namespace velmora::cli
