#include "fit_accuracy.h"

#include <cassert>
#include <cmath>
#include <functional>

namespace velmora {

namespace {

// The squared deviations and table intensities of a group of cells.
struct TDeviationSums {
    double squares = 0;
    double intensities = 0;
    int cells = 0;

    void add(double deviation, double intensity) {
        squares += deviation * deviation;
        intensities += intensity;
        ++cells;
    }

    TDeviation deviation() const {
        const double rms = std::sqrt(squares / cells);
        const double relative = 100 * rms / (intensities / cells);
        return {rms, relative, rms <= MaximumRmsDeviation, relative <= MaximumRelativeDeviation};
    }
};

bool InStandardRange(double period) {
    return period >= StandardRangeFirstPeriod && period <= StandardRangeLastPeriod;
}

// The accuracy of a formula giving intensity(row, column) for each cell.
TFitAccuracy Accuracy(const TIntensityTable& table,
                      const std::function<double(std::size_t, std::size_t)>& intensity) {
    TFitAccuracy accuracy;
    TDeviationSums standardRange;
    for (std::size_t column = 0; column < table.periods.size(); ++column) {
        const double period = table.periods[column];
        TDeviationSums sums;
        for (std::size_t row = 0; row < table.durations.size(); ++row) {
            const double observed = table.intensities[row][column];
            const double deviation = intensity(row, column) - observed;
            sums.add(deviation, observed);
            if (InStandardRange(period))
                standardRange.add(deviation, observed);
            const bool firstCell = column == 0 && row == 0;
            if (firstCell || std::abs(deviation) > std::abs(accuracy.largest.deviation))
                accuracy.largest = {table.durations[row], period, deviation};
        }
        accuracy.periods.push_back({period, sums.deviation()});
    }
    if (standardRange.cells > 0)
        accuracy.standardRange = standardRange.deviation();
    return accuracy;
}

} // namespace

TFitAccuracy FitAccuracy(const TIntensityTable& table, const TTotalFormula& formula) {
    return Accuracy(table, [&](std::size_t row, std::size_t column) {
        return FormulaIntensity(formula, table.durations[row], table.periods[column]);
    });
}

TFitAccuracy FitAccuracy(const TIntensityTable& table,
                         const std::vector<TPeriodFormula>& formulas) {
    assert(formulas.size() == table.periods.size());
    return Accuracy(table, [&](std::size_t row, std::size_t column) {
        return FormulaIntensity(formulas[column], table.durations[row]);
    });
}

} // namespace velmora
