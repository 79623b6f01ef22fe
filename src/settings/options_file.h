#pragma once

#include "options.h"
#include "result.h"

#include <QByteArray>
#include <QChar>
#include <QString>

namespace velmora {

inline const QString OptionsFileBaseName = QStringLiteral("options.ini");
inline const QString OptionsSection = QStringLiteral("OPTIONS");

// An options file is a few hundred bytes; a larger one is not read.
inline constexpr qint64 MaxOptionsFileBytes = 1 << 20;

// The bytes of the options file `fileName`: nothing when there is no file
// yet (the first start), the reason when it cannot be read, is oversized or
// is not a regular file. The window's memory is read from the same bytes.
Result<QByteArray> ReadOptionsFile(const QString& fileName);

// The options stored in section "OPTIONS" of `fileName`. A missing, unreadable
// or oversized file, a missing key or a value that does not convert gives that
// option's default. Values are not range-checked.
TOptions LoadOptions(const QString& fileName, QChar decimalSeparator);

// The options stored in section "OPTIONS" of an options file's bytes, as
// LoadOptions reads them: a missing key or a value that does not convert
// gives that option's default.
TOptions OptionsFromBytes(const QByteArray& bytes, QChar decimalSeparator);

// What the options file holds before one of its sections is written again:
// nothing when there is no file yet; a failure when it cannot be read or is
// oversized, so that no other section is lost by writing over it.
Result<QByteArray> ExistingSettingsBytes(const QString& fileName);

// Writes every option into section "OPTIONS" of `fileName`, keeping every
// other section and key as it was. The file is replaced atomically: when it
// cannot be read (or is oversized) or cannot be written, it stays as it was
// and the failure names the path and the reason.
Status SaveOptions(const QString& fileName, const TOptions& options, QChar decimalSeparator);

// The bytes of an options file after SaveOptions wrote `options` into one
// that held `existing`.
QByteArray OptionsIntoBytes(const QByteArray& existing, const TOptions& options,
                            QChar decimalSeparator);

} // namespace velmora
