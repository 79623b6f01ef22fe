#pragma once

#include "hyetograph.h"
#include "result.h"
#include "storm.h"

#include <QChar>
#include <QStringList>

#include <vector>

namespace velmora {

// One line of the check that the storm honours its formula: for a duration
// d, the rain of the storm's heaviest d consecutive minutes against the
// depth the formula gives for d.
struct TIdfCheckRow {
    double duration;          // d, minutes
    double stormDepth;        // mm: the largest sum of d consecutive per-minute intensities
    double formulaDepth;      // mm: A·d/(d + b)^n with A = A1·(1 + C·log P)
    double differencePercent; // 100 × (storm − formula) / formula
};

// The durations checked: those of 5, 10, 15, … 10080 minutes below the
// storm's duration T, then T itself when it is above 0.
std::vector<double> IdfCheckDurations(double stormDuration);

// The check of `storm`, computed minute by minute in mm/min without rounding
// whatever the display options say; a storm that cannot be computed fails
// with the computation's message.
Result<std::vector<TIdfCheckRow>> IdfCheckTable(const TExpressionObject& storm);

// The table as text lines: the header "历时(min),雨型最大雨量(mm),公式雨量(mm),
// 相差(%)" and one line per duration, the depths with 4 decimals and the
// difference with 2, "." as decimal separator, the columns joined by `separator`.
QStringList IdfCheckLines(const std::vector<TIdfCheckRow>& rows, QChar separator);

} // namespace velmora
