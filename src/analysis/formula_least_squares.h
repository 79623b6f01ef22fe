#pragma once

// The least-squares fit shared by the total formula and the formulas of single
// periods: i = (A + A·C·log P)/(t + b)^n over the cells of a table, in mm/min.

#include "result.h"

#include <cstddef>
#include <vector>

namespace velmora {

struct TFormulaCell {
    double duration;    // t, minutes
    double logPeriod;   // log P of the cell's period (unused for a single period)
    std::size_t column; // the cell's period, counted from 0
    double intensity;   // mm/min
};

enum class FormulaShape {
    SinglePeriod, // i = A/(t + b)^n: A, b and n
    Total,        // i = A1·(1 + C·log P)/(t + b)^n: A1, C, b and n
};

struct TFormulaCoefficients {
    double a = 0; // A1, or A of a single period
    double c = 0; // 0 for a single period
    double b = 0;
    double n = 0;
};

// The coefficients that minimise the sum of squared differences between the
// formula and the cells, found by Eigen's Levenberg–Marquardt from the best of
// a scan over b. Fails when the minimisation does not converge or its minimum
// lies outside b > 0, 0 < n < 1 (the best formula within them is on the
// boundary, which is no formula an engineer may use).
Result<TFormulaCoefficients> FitFormulaCoefficients(const std::vector<TFormulaCell>& cells,
                                                    FormulaShape shape);

} // namespace velmora
