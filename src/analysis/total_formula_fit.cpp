#include "total_formula_fit.h"

#include "formula_least_squares.h"

namespace velmora {

Result<TTotalFormula> FitTotalFormula(const TIntensityTable& table, std::uint8_t logOfP) {
    if (table.periods.size() < 2)
        return Failure{
            QStringLiteral("表中只有 %1 个重现期，总公式至少需要 2 个").arg(table.periods.size())};
    std::vector<TFormulaCell> cells;
    for (std::size_t row = 0; row < table.durations.size(); ++row)
        for (std::size_t column = 0; column < table.periods.size(); ++column)
            cells.push_back({table.durations[row], LogOfPeriod(table.periods[column], logOfP),
                             column, table.intensities[row][column]});
    const Result<TFormulaCoefficients> fitted = FitFormulaCoefficients(cells, FormulaShape::Total);
    if (!fitted)
        return Failure{QStringLiteral("总公式：") + fitted.message()};
    return TTotalFormula{fitted->a, fitted->c, fitted->b, fitted->n, logOfP};
}

} // namespace velmora
