#pragma once

#include "idf_check.h"

#include <QString>

#include <vector>

namespace velmora {

// The calculation report's last section, "三、雨型校核": its heading, a
// sentence on what the table shows (naming lg or ln, as the storm takes its
// logarithm) and the check table, as WordprocessingML paragraphs and a table.
QString IdfCheckReportSection(const std::vector<TIdfCheckRow>& rows, bool naturalLogarithm);

} // namespace velmora
