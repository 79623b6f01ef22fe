#pragma once

#include "storm.h"

#include <cstdint>

namespace velmora {

// The total formula i = A1·(1 + C·log P)/(t + b)^n: i in mm/min, t in
// minutes, P in years, the logarithm lg or ln as `logOfP` says (the storm's
// codes, CommonLogarithm or NaturalLogarithm).
struct TTotalFormula {
    double a1 = 0;
    double c = 0;
    double b = 0;
    double n = 0;
    std::uint8_t logOfP = CommonLogarithm;
};

// The formula of one return period, i = A/(t + b)^n.
struct TPeriodFormula {
    double period = 0; // P, years
    double a = 0;
    double b = 0;
    double n = 0;
};

// log P as the formula takes it.
double LogOfPeriod(double period, std::uint8_t logOfP);

// The formulas' intensity (mm/min) for duration t (minutes), and period P.
double FormulaIntensity(const TTotalFormula& formula, double duration, double period);
double FormulaIntensity(const TPeriodFormula& formula, double duration);

} // namespace velmora
