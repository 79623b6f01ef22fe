#pragma once

#include "display_text.h"
#include "options.h"
#include "result.h"
#include "storm_comparison.h"

#include <QByteArray>

#include <vector>

namespace velmora {

// The Excel chart workbook (.xlsx) of the result rows, built in memory from
// the "ExcelPicData" template: on the sheet "雨型数据1" one row per result row
// below the headings, the time as a text cell, the intensity and the
// cumulative rainfall as numbers; the chart on the sheet "曲线图" reads those
// rows and keeps a copy of what it reads (its caches, which programs that
// show a chart without its sheets, such as file previews, draw). Headings and
// axis titles follow the time format and unit of `options` (0 gives "H:M" and
// "mm/h", any other value the template's "min" and "mm/min"). `rows` are the
// grid's texts with "." as decimal separator. No rows give the failure
// "没有数据可以保存~…": a workbook without data would carry a chart of an
// empty range.
// With `comparison` (made with the storm of `rows`, "." as separator, at
// least one storm) the sheet "雨型数据2" holds it and the chart draws every
// compared storm's line beside the storm's own; without it the sheet stays
// empty and the chart draws the storm alone.
Result<QByteArray> ExcelChartWorkbook(const std::vector<TResultRowTexts>& rows,
                                      const TOptions& options,
                                      const TComparisonTable* comparison = nullptr);

} // namespace velmora
