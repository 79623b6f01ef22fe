#pragma once

#include "atomic_file.h"
#include "cli_arguments.h"
#include "cli_request_storm.h"
#include "cli_run.h"
#include "storm.h"

#include <atomic>

namespace velmora::cli {

class CliOutput;

// Computes every combination of the request's return periods and durations
// (P in the outer order, T in the inner) on `base` with the request's other
// storm values and options, one storm at a time in constant memory. Each
// storm's CSV summary line is printed as soon as it is done and, with
// --out-dir, its file written there first. A storm that fails prints one
// "出错：" line and the others go on. Without --force a file is published only
// under a name no file has at that moment (a concurrent run's file is kept and
// this storm fails); with --force a name in the folder is replaced as a name,
// a link in it never followed. Returns 0 when every storm was done, 1 when
// any failed or the batch was stopped, and 2 (nothing computed or written)
// when a combination could not be kept in a storm file.
int RunBatch(const CliRequest& request, const TExpressionObject& base, CliOutput& output,
             const ReportChartPainter& reportChart);

// Set (by velmora-cli's TERM and INT handler) to stop a batch after the storm
// under way, with its summary so far printed and no file half-written.
// Lock-free, so that the handler may set it on whichever thread it runs.
extern std::atomic<bool> BatchStopRequested;

// The summary's header line for storms computed with `options`, with its line end.
QString BatchSummaryHeader(const TOptions& options);

} // namespace velmora::cli
