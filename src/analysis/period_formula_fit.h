#pragma once

#include "intensity_formulas.h"
#include "intensity_table.h"
#include "result.h"

#include <vector>

namespace velmora {

// The formula i = A/(t + b)^n of each period of `table`, each fitted by least
// squares to its own column, in the table's order. Fails, naming the period,
// when one of them does not converge or lands on a boundary.
Result<std::vector<TPeriodFormula>> FitPeriodFormulas(const TIntensityTable& table);

} // namespace velmora
