#include "intensity_formulas.h"

#include <cmath>

namespace velmora {

double LogOfPeriod(double period, std::uint8_t logOfP) {
    return logOfP == NaturalLogarithm ? std::log(period) : std::log10(period);
}

double FormulaIntensity(const TTotalFormula& formula, double duration, double period) {
    return formula.a1 * (1 + formula.c * LogOfPeriod(period, formula.logOfP)) /
           std::pow(duration + formula.b, formula.n);
}

double FormulaIntensity(const TPeriodFormula& formula, double duration) {
    return formula.a / std::pow(duration + formula.b, formula.n);
}

} // namespace velmora
