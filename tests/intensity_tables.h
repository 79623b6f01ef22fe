#pragma once

#include "intensity_formulas.h"
#include "intensity_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velmora::testing {

// The durations and periods of a gauge's usual table, 11 × 8.
inline const std::vector<double> UsualDurations = {5, 10, 15, 20, 30, 45, 60, 90, 120, 150, 180};
inline const std::vector<double> UsualPeriods = {2, 3, 5, 10, 20, 30, 50, 100};

// The table `formula` gives for the usual durations and periods.
inline TIntensityTable TableOfFormula(const TTotalFormula& formula) {
    TIntensityTable table{UsualDurations, UsualPeriods, {}};
    for (const double t : table.durations) {
        table.intensities.emplace_back();
        for (const double p : table.periods)
            table.intensities.back().push_back(FormulaIntensity(formula, t, p));
    }
    return table;
}

// A table that no formula fits exactly: `scale` × 10.5·(1 + 0.85·lg P)/(t + 12)^0.72,
// each cell (row r, column c, from 0) times 1 + `amplitude`·sin(7r + 3c + 1).
inline TIntensityTable PatternedTable(double amplitude, double scale) {
    TIntensityTable table = TableOfFormula({10.5, 0.85, 12, 0.72, CommonLogarithm});
    for (std::size_t r = 0; r < table.durations.size(); ++r)
        for (std::size_t c = 0; c < table.periods.size(); ++c)
            table.intensities[r][c] *=
                scale * (1 + amplitude * std::sin(static_cast<double>(7 * r + 3 * c + 1)));
    return table;
}

// `actual` equals `expected` to `digits` significant digits.
inline void ExpectSignificant(double actual, double expected, int digits) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * 0.5 * std::pow(10.0, 1 - digits))
        << "expected " << expected << " to " << digits << " significant digits";
}

} // namespace velmora::testing
