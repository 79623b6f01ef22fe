#pragma once

#include "options.h"

#include <QString>
#include <Qt>

#include <vector>

namespace velmora {

// One edit of a template part: every occurrence of `placeholder` becomes `value`.
struct TReplacement {
    QString placeholder;
    QString value;
};

// The Word templates' placeholders are matched as written, the Excel
// template's without regard to case.
inline constexpr Qt::CaseSensitivity WordPlaceholderMatching = Qt::CaseSensitive;
inline constexpr Qt::CaseSensitivity ExcelPlaceholderMatching = Qt::CaseInsensitive;

// The Word templates' table heading: the intensity unit ("<!--Storm_Unit-->")
// and the time format ("<!--时间格式-->": "H:M" or "min"); a unit or format
// without a text leaves its placeholder.
void AddTableHeadingReplacements(std::vector<TReplacement>& replacements, const TOptions& options);

// `text` with the replacements applied in the order given, each to the result
// of the ones before: every occurrence, left to right, without overlap; the
// inserted value is not searched again and is inserted verbatim (it is made
// by the program: numbers, units, XML). An empty placeholder changes nothing.
QString ReplacePlaceholders(QString text, const std::vector<TReplacement>& replacements,
                            Qt::CaseSensitivity matching);

} // namespace velmora
