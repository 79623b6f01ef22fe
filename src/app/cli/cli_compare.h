#pragma once

#include "cli_arguments.h"
#include "cli_batch.h"
#include "storm.h"

namespace velmora::cli {

class CliOutput;

// --compare: every combination of the request's return periods, durations and
// peak ratios (P outermost, r innermost) on `base`, written as one comparison
// (the CSV table or the SWMM [TIMESERIES] text to standard output or --out;
// the chart, drawn by `chart`, or the workbook to --out). A storm that cannot
// be computed fails the whole comparison, with "出错：", the storm and the
// reason, and nothing is written. Returns 0 or 1.
int RunComparison(const CliRequest& request, const TExpressionObject& base, CliOutput& output,
                  const ReportChartPainter& chart);

} // namespace velmora::cli
