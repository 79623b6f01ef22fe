#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// The text files the program writes (storm file, CSV, SWMM file) are in code
// page 936 without byte-order mark, every line ended with CR LF.
QByteArray EncodeCodePage936(const QString& text);

// Reads a text file's bytes: a UTF-8 or UTF-16 (either order) byte-order mark
// selects that encoding, anything else is read as code page 936.
QString DecodeTextFile(const QByteArray& bytes);

// Writes `bytes` to `path` through a temporary file that replaces the old one
// only when everything was written: a failure leaves an existing file as it
// was. On failure `error` names the path and the system's reason.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

} // namespace velmora
