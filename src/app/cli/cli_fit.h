#pragma once

#include "storm.h"

namespace velmora::cli {

class CliOutput;
struct CliRequest;

// --fit-formula and --fit-maxima: reads the rain data, fits the formula and
// prints it and the result tables; with --write-storm also writes the fitted
// formula on `base` (the default storm or --storm's) with the request's other
// storm values, once it passes the storm file's check and computes. Returns
// the exit code: 0, or 1 after printing why the data, the fit or the storm failed.
int RunFit(const CliRequest& request, const TExpressionObject& base, CliOutput& output);

} // namespace velmora::cli
