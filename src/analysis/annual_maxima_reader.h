#pragma once

#include "annual_maxima.h"
#include "result.h"

#include <QString>

namespace velmora {

// Reads annual maxima from CSV or pasted text (SplitTableText): a first row
// with a heading and the durations in minutes, then one row per year, the
// year first, each cell the year's largest depth (mm) in that duration; an
// empty cell is a year without a value for that duration. A cell that is not
// a number, a depth that is not positive, a year or duration given twice, a
// cell beyond the last duration or fewer than 3 durations fail with a message
// naming the cell or the cause.
Result<TAnnualMaxima> ReadAnnualMaxima(const QString& text);

} // namespace velmora
