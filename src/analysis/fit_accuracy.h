#pragma once

#include "intensity_formulas.h"
#include "intensity_table.h"

#include <optional>
#include <vector>

namespace velmora {

// The limits a formula is held to over return periods of 2 to 20 years: the
// root-mean-square deviation from the table and that deviation relative to the
// mean intensity of the same cells.
inline constexpr double MaximumRmsDeviation = 0.05;   // mm/min
inline constexpr double MaximumRelativeDeviation = 5; // %
inline constexpr double StandardRangeFirstPeriod = 2; // years
inline constexpr double StandardRangeLastPeriod = 20;

// How far a formula's intensities lie from a group of the table's cells.
struct TDeviation {
    double rms = 0;                   // σ, mm/min
    double relativePercent = 0;       // σ / mean table intensity of the cells, %
    bool rmsWithinLimit = false;      // σ ≤ 0.05 mm/min
    bool relativeWithinLimit = false; // σ / mean ≤ 5 %
};

struct TPeriodDeviation {
    double period = 0;
    TDeviation deviation;
};

// The cell the formula misses most.
struct TLargestDeviation {
    double duration = 0;
    double period = 0;
    double deviation = 0; // formula − table, mm/min
};

struct TFitAccuracy {
    std::vector<TPeriodDeviation> periods; // each column, in the table's order
    // Every cell with 2 ≤ P ≤ 20; none when the table has no such period.
    std::optional<TDeviation> standardRange;
    TLargestDeviation largest; // over every cell
};

// How closely the total formula, or the formulas of the single periods (one
// per column, in the table's order), give back `table`.
TFitAccuracy FitAccuracy(const TIntensityTable& table, const TTotalFormula& formula);
TFitAccuracy FitAccuracy(const TIntensityTable& table, const std::vector<TPeriodFormula>& formulas);

} // namespace velmora
