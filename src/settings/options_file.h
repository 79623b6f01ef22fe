#pragma once

#include "options.h"

#include <QChar>
#include <QString>

namespace velmora {

inline const QString OptionsFileBaseName = QStringLiteral("options.ini");
inline const QString OptionsSection = QStringLiteral("OPTIONS");

// The options stored in section "OPTIONS" of `fileName`. A missing file, a
// missing key or a value that does not convert gives that option's default.
// Values are not range-checked.
TOptions LoadOptions(const QString& fileName, QChar decimalSeparator);

// Writes every option into section "OPTIONS" of `fileName`, keeping every
// other section and key as it was. The file is replaced atomically: when it
// cannot be read or written, it stays as it was, `error` names the path and
// the reason, and false is returned.
bool SaveOptions(const QString& fileName, const TOptions& options, QChar decimalSeparator,
                 QString* error = nullptr);

} // namespace velmora
