#pragma once

#include "hyetograph.h"

namespace velmora {

// The hyetograph with interval-averaged rows (Bool_IntervalAverage), made
// from the minutes CalcHyetograph computes at a one-minute step without
// rounding. CalcHyetograph hands a storm with that option here after its own
// checks. It is kept in a file of its own so that the compiler cannot fold it
// into CalcHyetograph: folded in, it costs the usual computation's loop a few
// per cent in registers even when the option is off.
THyetographResult IntervalAverageHyetograph(const TExpressionObject& storm, const TOptions& options);

} // namespace velmora
