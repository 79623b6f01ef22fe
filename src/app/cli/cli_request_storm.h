#pragma once

// One storm of a velmora-cli request: the values its lists give, the options
// it is computed with and how its file is written. The single run, the batch
// and the comparison share these.

#include "atomic_file.h"
#include "cli_arguments.h"
#include "cli_run.h"
#include "options.h"
#include "result.h"

#include <optional>
#include <vector>

namespace velmora {
class StormSession;
}

namespace velmora::cli {

// The values given for one design value (--P, --T, --r), or one empty value
// that stands for the base storm's own.
std::vector<std::optional<double>> ValuesOrBase(const std::vector<double>& given);

// The options the request's storms are computed with: a SWMM file is written
// in hours and minutes and mm/h, so such a run is computed so from the start
// (and a batch's summary says so).
TOptions RequestOptions(const CliRequest& request);

// The writing of the storm file or the export the request names to `path`, as
// a task made now from the session, which needs nothing of it when it runs. A
// report's task encodes the chart `reportChart` draws, builds the document and
// writes it, and may run on another thread while the session goes on; any
// other file is written at once (it is quick) and its task gives the outcome.
using FileWriting = std::function<Status()>;
Result<FileWriting> StormOutputWriting(const CliRequest& request, StormSession& session,
                                       const QString& path, ExistingFile existing,
                                       const ReportChartPainter& reportChart);

// Writes the storm file or the export the request names to `path` through the
// session, which writes it atomically; the report with the chart `reportChart` draws.
Status WriteStormOutput(const CliRequest& request, StormSession& session, const QString& path,
                        ExistingFile existing, const ReportChartPainter& reportChart);

} // namespace velmora::cli
