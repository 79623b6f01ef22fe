#pragma once

#include "annual_maxima.h"
#include "frequency_curves.h"
#include "intensity_table.h"
#include "result.h"
#include "table_fit.h"

#include <cstdint>
#include <vector>

namespace velmora {

// The return periods the tables are made for unless the person asks for others.
inline const std::vector<double> DefaultReturnPeriods = {2, 3, 5, 10, 20, 30, 50, 100};

// The formulas fitted to the table of one distribution.
struct TDistributionFormula {
    Distribution distribution;
    TIntensityTable table; // the curve's depth / t, mm/min, for each duration and period
    Result<TTableFit> fit; // or why no formula fits this table
};

struct TRecordsAnalysis {
    std::vector<double> returnPeriods;
    std::vector<TDurationFrequency> durations;  // in the records' order
    std::vector<TDistributionFormula> formulas; // in the order of Distributions
    // The formula proposed: of those fitted, the one whose total formula
    // deviates least from its table (σ over 2 ≤ P ≤ 20, or over every period
    // when none lies there).
    std::size_t proposed = 0;
};

// The deviation the proposal compares: σ of the total formula over
// 2 ≤ P ≤ 20, or over every period when none lies there (mm/min).
double ProposalDeviation(const TTableFit& fit);

// From annual maxima to the formula: each duration's three frequency curves,
// a table of intensities per distribution for `returnPeriods` (years, each
// above 1, at least 2), the formulas fitted to each table with lg or ln as
// `logOfP` says, and the proposal. Fails for bad periods, a duration with
// fewer than 10 years, and when no table can be fitted.
Result<TRecordsAnalysis> AnalyseAnnualMaxima(const TAnnualMaxima& records,
                                             const std::vector<double>& returnPeriods,
                                             std::uint8_t logOfP);

} // namespace velmora
