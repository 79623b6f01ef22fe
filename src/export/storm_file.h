#pragma once

#include "result.h"
#include "storm.h"

#include <QByteArray>
#include <QChar>
#include <QString>

#include <optional>

namespace velmora {

// The first line's value that makes a file a storm file: "访问", the maker's
// 23-character address, "获取更多实用工具~".
QString StormFileMarker();

// Whether every number of the storm can be written into a storm file and read
// back: a value that is not finite, or whose 15-digit text overflows when it
// is read (1.7976931348623157E308 is written as 1.79769313486232E308), fails
// with a message naming the key and the value.
Status CheckStormFileValues(const TExpressionObject& storm, QChar decimalSeparator);

// The twelve lines of the storm file, in code page 936, CR LF after each; a
// storm that the file could not give back (CheckStormFileValues) is refused.
Result<QByteArray> StormFileBytes(const TExpressionObject& storm, QChar decimalSeparator);

// Reads a storm file's bytes into a storm of its own: the caller's storm is
// changed only when every value converted. A file without "F_type" is of the
// earlier layout: the intensity form, with a1_167 = a1 / 0.006. The result
// fields are 0. A file that is not a storm file fails as
// FailureKind::WrongFormat with WrongStormFileMessage, a value that does not
// convert as FailureKind::BadValue naming it.
Result<TExpressionObject> ReadStormFile(const QByteArray& bytes, QChar decimalSeparator);

// Reads the storm file at `path`; a file that cannot be read fails with a
// message naming the path and the system's reason.
Result<TExpressionObject> ReadStormFileAt(const QString& path, QChar decimalSeparator);

// Storm files are a few hundred bytes; anything larger than this is not one.
inline constexpr qint64 MaxStormFileBytes = 1 << 20;

inline const QString WrongStormFileMessage =
    QStringLiteral("该文件不包含正确的数据格式，请确认后重试~");

} // namespace velmora
