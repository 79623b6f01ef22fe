#pragma once

#include "result.h"
#include "storm.h"

#include <cstdint>

namespace velmora {

// The rules every storm's design values keep, wherever the storm comes from:
// the new-storm dialog, a storm file, the command line, the lists of a batch
// or a comparison. Each gives the reason a value is refused, in the words the
// new-storm dialog uses where it has them.

// P must be above 0, or it has no logarithm.
Status CheckRepeatYear(double years);
// T from 0 up to the longest storm that is computed.
Status CheckDuration(double minutes);
// A whole number of minutes, at least 1.
Status CheckStep(std::int64_t minutes);
// Strictly between 0 and 1.
Status CheckPeakRatio(double ratio);

// T, the step and r of `storm` (P is checked where its logarithm is taken,
// since a storm without a known logarithm never takes it).
Status CheckDesignValues(const TExpressionObject& storm);

} // namespace velmora
