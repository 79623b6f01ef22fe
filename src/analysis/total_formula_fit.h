#pragma once

#include "intensity_formulas.h"
#include "intensity_table.h"
#include "result.h"

#include <cstdint>

namespace velmora {

// The total formula i = A1·(1 + C·log P)/(t + b)^n fitted by least squares
// over every cell of `table` (squared differences in mm/min), with lg or ln
// as `logOfP` says. Fails for fewer than 2 periods, and when the fit does not
// converge or lands on a boundary (b = 0, n = 0 or 1).
Result<TTotalFormula> FitTotalFormula(const TIntensityTable& table, std::uint8_t logOfP);

} // namespace velmora
