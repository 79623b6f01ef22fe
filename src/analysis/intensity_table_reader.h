#pragma once

#include "intensity_table.h"
#include "result.h"

#include <QString>

namespace velmora {

// Reads a table of intensities from CSV or pasted text (SplitTableText): the
// first row a heading such as 历时(min) and the return periods in years, then
// one row per duration in minutes with its intensities in `unit`; q is
// converted to mm/min with `qiRatio`. A missing, non-numeric or non-positive
// cell, a duration or period given twice, a cell beyond the last period or
// fewer than 3 durations fail with a message naming the cell or the cause.
Result<TIntensityTable> ReadIntensityTable(const QString& text, IntensityUnit unit, double qiRatio);

} // namespace velmora
