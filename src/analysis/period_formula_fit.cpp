#include "period_formula_fit.h"

#include "formula_least_squares.h"
#include "number_text.h"

namespace velmora {

Result<std::vector<TPeriodFormula>> FitPeriodFormulas(const TIntensityTable& table) {
    std::vector<TPeriodFormula> formulas;
    for (std::size_t column = 0; column < table.periods.size(); ++column) {
        std::vector<TFormulaCell> cells;
        for (std::size_t row = 0; row < table.durations.size(); ++row)
            cells.push_back({table.durations[row], 0, 0, table.intensities[row][column]});
        const Result<TFormulaCoefficients> fitted =
            FitFormulaCoefficients(cells, FormulaShape::SinglePeriod);
        const double period = table.periods[column];
        if (!fitted)
            return Failure{QStringLiteral("重现期 %1 年的公式：")
                               .arg(GeneralNumberText(period, QLatin1Char('.'))) +
                           fitted.message()};
        formulas.push_back({period, fitted->a, fitted->b, fitted->n});
    }
    return formulas;
}

} // namespace velmora
