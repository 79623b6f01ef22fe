#pragma once

#include "result.h"
#include "table_text.h"

#include <QString>

#include <vector>

namespace velmora {

// The number in cell `column` of `row`, which must be there, be a number
// ("." as decimal separator) and be above zero; the failure names the cell and
// `what` the cell holds ("强度", "重现期", …).
Result<double> PositiveCellNumber(const TTextRow& row, qsizetype column, const QString& what);

// Fails when `row` has text beyond its first `width` cells, which no heading
// names.
Status CheckNoCellBeyond(const TTextRow& row, qsizetype width);

// A heading value and where it was read, to name both places of a repeat.
struct TPlacedValue {
    double value;
    QString place;
};

// Fails when a value appears twice: "历时 10 分钟出现了两次：第2行第1列和第5行第1列"
// for `what` 历时 and `unit` 分钟 (the unit may be empty).
Status CheckNoRepeat(const std::vector<TPlacedValue>& values, const QString& what,
                     const QString& unit);

} // namespace velmora
