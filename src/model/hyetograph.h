#pragma once

#include "options.h"
#include "result.h"
#include "storm.h"

#include <QString>

#include <vector>

namespace velmora {

// One row of the hyetograph table.
struct THyetographRow {
    double time;       // minutes from the start of the storm (a whole number)
    double intensity;  // mm/h or mm/min, as the options' unit says
    double cumulative; // rainfall up to and including this minute, mm
};

using THyetographTable = std::vector<THyetographRow>;

// What a computation gives: the rows and the two totals. A failed
// computation gives its failure instead, so nothing can show or export a part
// table.
struct THyetograph {
    THyetographTable rows;
    double overallRainfall = 0;  // H, mm
    double averageIntensity = 0; // in the unit of the intensity column
};

// The longest storm that is computed, in minutes. Longer ones are refused:
// their table would take the window seconds to show and could exhaust memory.
inline constexpr int MaxStormMinutes = 100000;

// K = A1 · (1 + C · log P), the formula's factor the computation uses: 0 for a
// logarithm choice other than lg and ln; refused when P has no logarithm,
// when K overflows, or when it would make the rain negative (A1 below 0,
// 1 + C · log P not above 0).
Result<double> FormulaFactor(const TExpressionObject& storm);

// The Chicago design-storm hyetograph of `storm`, minute by minute, keeping
// every Storm_Step-th minute and the last one as rows. The options decide the
// intensity unit and whether the displayed (rounded) values are summed.
//
// With Bool_IntervalAverage the rows instead stand one step apart from the
// first minute (0, s, 2s, …, up to the last minute) and each holds the mean
// intensity of the step it begins: the rain of its minutes divided by the
// step, a last step that runs past the storm counting its missing minutes as
// dry. Its cumulative rainfall is the total at the end of its minutes, so the
// rows times the step add up to the total and the last row holds the total.
// The average intensity is then the mean of the rows. A step of one minute
// gives the same table either way.
Result<THyetograph> CalcHyetograph(const TExpressionObject& storm, const TOptions& options);

// Writes the two totals of a successful computation into the storm's result
// fields; after a failure both are 0.
void StoreResults(TExpressionObject& storm, const Result<THyetograph>& result);

} // namespace velmora
