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

// The storms of a request: every combination of its return periods (outer),
// durations and peak ratios (inner) on the base storm with the request's
// other storm values, made one at a time, so that a batch of a million storms
// holds one.
class RequestStorms {
public:
    RequestStorms(const CliRequest& request, const TExpressionObject& base, double qiRatio);

    std::size_t count() const;
    TExpressionObject at(std::size_t index) const;
    // Whether every storm can be kept in a storm file. A value is checked on
    // its own, so each value of each list is checked once.
    Status checkStorable() const;

private:
    using Values = std::vector<std::optional<double>>;
    TExpressionObject storm(const std::optional<double>& repeatYear,
                            const std::optional<double>& time,
                            const std::optional<double>& percent) const;

    const CliRequest& request_;
    const TExpressionObject& base_;
    const double qiRatio_;
    const Values repeatYears_;
    const Values durations_;
    const Values percents_;
};

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
