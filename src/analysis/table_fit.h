#pragma once

#include "fit_accuracy.h"
#include "intensity_formulas.h"
#include "intensity_table.h"
#include "result.h"

#include <cstdint>
#include <vector>

namespace velmora {

// Everything worked out from one table of intensities: the total formula, the
// formula of each period, and how closely each gives the table back.
struct TTableFit {
    TTotalFormula total;
    TFitAccuracy totalAccuracy;
    std::vector<TPeriodFormula> periods; // one per column, in the table's order
    TFitAccuracy periodsAccuracy;
};

// Fits both kinds of formula to `table`; fails with the first fit that fails.
Result<TTableFit> FitIntensityTable(const TIntensityTable& table, std::uint8_t logOfP);

} // namespace velmora
