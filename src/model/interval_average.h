#pragma once

#include "hyetograph.h"

#include <cstdint>

namespace velmora {

// The interval-averaged rows (Bool_IntervalAverage) of a storm whose exact,
// unrounded minutes are `minutes` (a one-minute table, not empty): one row a
// `step` from the first minute, each the mean intensity of its step. It is
// kept in a file of its own so that the compiler cannot fold it into the
// per-minute computation: folded in, it costs that loop a few per cent in
// registers even when the option is off.
THyetograph IntervalAverageRows(const THyetographTable& minutes, const TOptions& options,
                                std::int32_t step);

} // namespace velmora
