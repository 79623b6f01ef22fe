#pragma once

#include "result.h"

#include <QString>

namespace velmora {

// The longest name the model editor writes. The engine reads longer ones, but
// EPA's reader of SWMM's result files (MAXELENAME of swmm-output) keeps 31
// characters of a name, and tools built on it would mix up two names that
// differ only after them.
inline constexpr qsizetype MaxSwmmNameLength = 31;

// `name` made safe to write as a SWMM name: a blank, a tab, ';' and '"'
// (which SWMM reads as the end of the name, a comment and a quote) become
// '_'. Refused, with a message that calls it `what` ("时间序列", "雨量计"): an
// empty name, one longer than MaxSwmmNameLength, one beginning with '[' (SWMM
// reads that line as a section header) and one with a character other than
// printable ASCII: SWMM keeps a name's bytes, and a model is read in the
// encoding of the computer that opens it, so only ASCII reads the same
// everywhere.
Result<QString> SafeSwmmName(const QString& name, const QString& what);

} // namespace velmora
