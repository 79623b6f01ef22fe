#pragma once

#include "cli_arguments.h"
#include "storm.h"

namespace velmora::cli {

class CliOutput;

// --into-swmm MODEL: every combination of the request's return periods,
// durations and peak ratios (P outermost, r innermost) on `base`, computed
// with the request's options, written into the SWMM model in one edit: all
// or nothing. Prints a line per series written, the rain unit, the
// subcatchments pointed at the gage and the warnings. A storm that cannot be
// computed, or a model that refuses the storms (a name this program wrote
// before, without --force), prints "出错：" or the reason and leaves the model
// as it was. Returns 0, 1 when nothing was written, or 2 (nothing computed)
// when a storm could not be kept in a storm file.
int RunIntoSwmmModel(const CliRequest& request, const TExpressionObject& base, CliOutput& output);

} // namespace velmora::cli
