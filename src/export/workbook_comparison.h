#pragma once

#include "placeholders.h"
#include "storm_comparison.h"

#include <vector>

namespace velmora {

// The compared storms in the Excel chart workbook. The sheet "雨型数据2" holds
// the comparison table (the time, then one intensity column per storm headed
// by its legend and the unit) and, after an empty column, the storm shown on the same
// lines, headed as on "雨型数据1". The chart reads its time axis, its bars and
// its line from there, so that every storm meets the same time, and draws one
// line per compared storm across gaps where a storm has no row.

// A cell and a column's rows on `sheet` as a chart names them:
// "雨型数据1!$B$1", "雨型数据1!$B$2:$B$122".
QString SheetCell(const QString& sheet, const QString& column, qsizetype row);
QString SheetRange(const QString& sheet, const QString& column, qsizetype firstRow,
                   qsizetype lastRow);

// What a chart keeps of the cells a reference names, for programs that show
// a chart without reading its sheets: `<c:ptCount val="N"/>` for the N cells
// and a `<c:pt>` for each one that is not empty, each after `lineBreak`.
QString ChartCachePoints(const QStringList& cells, QStringView lineBreak);

// The edits of the empty template sheet "雨型数据2", each column with a
// heading as wide as it, printed landscape with all columns on one page
// wide. `table` was made with the storm shown and "." as separator; the
// headings of the storm shown are `intensityHeading` and `cumulativeHeading`.
std::vector<TReplacement> ComparisonSheetReplacements(const TComparisonTable& table,
                                                      const QString& intensityHeading,
                                                      const QString& cumulativeHeading);

// The edits of the template chart, in place of the ones that point its series
// at the rows of "雨型数据1"; `templateLastRow` is the last row the template's
// series name.
std::vector<TReplacement> ComparisonChartReplacements(const TComparisonTable& table,
                                                      qsizetype templateLastRow);

} // namespace velmora
