#pragma once

#include "display_text.h"

#include <QString>

#include <vector>

namespace velmora {

// The SWMM rainfall file: two comment lines, then per row the time padded with
// blanks to 16 characters and the intensity (mm/h), CR LF after each line.
// The rows' texts must use "." as decimal separator: SWMM reads nothing else.
QString SwmmText(const std::vector<TResultRowTexts>& rows);

} // namespace velmora
