#pragma once

#include "display_text.h"
#include "options.h"

#include <QString>

#include <vector>

namespace velmora {

// The header line of the CSV table, from the time format and the unit:
// "时间(min),降雨强度(mm/min),降雨总量(mm)" with the default options, the
// fields joined by `fieldSeparator`.
QString CsvHeaderLine(const TOptions& options, QChar fieldSeparator);

// The whole CSV text: the header, then one line per result row with the
// three cell texts as displayed, every line ended with CR LF. The fields are
// separated by CsvFieldSeparator of the decimal separator the cells use.
QString CsvText(const std::vector<TResultRowTexts>& rows, const TOptions& options,
                QChar decimalSeparator);

} // namespace velmora
