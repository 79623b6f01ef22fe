#pragma once

#include "display_text.h"
#include "options.h"
#include "result.h"

#include <QByteArray>

#include <vector>

namespace velmora {

// The Word data table (.docx) of the result rows, as the grid shows them: a
// header row "时间(min)", "降雨强度(mm/min)", "降雨总量(mm)" after the time
// format and unit of `options` (any other value than 0 or 1 leaves its
// placeholder unfilled), then one table row per result row with its three
// texts unchanged. Built in memory from the "CalcData" template.
Result<QByteArray> WordDataTable(const std::vector<TResultRowTexts>& rows, const TOptions& options);

} // namespace velmora
