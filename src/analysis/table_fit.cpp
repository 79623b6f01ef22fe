#include "table_fit.h"

#include "period_formula_fit.h"
#include "total_formula_fit.h"

namespace velmora {

Result<TTableFit> FitIntensityTable(const TIntensityTable& table, std::uint8_t logOfP) {
    const Result<TTotalFormula> total = FitTotalFormula(table, logOfP);
    if (!total)
        return total.failure();
    const Result<std::vector<TPeriodFormula>> periods = FitPeriodFormulas(table);
    if (!periods)
        return periods.failure();
    return TTableFit{*total, FitAccuracy(table, *total), *periods, FitAccuracy(table, *periods)};
}

} // namespace velmora
