#pragma once

#include "code_page_936.h"

#include <QByteArray>
#include <QString>

namespace velmora {

// The text files the program writes (storm file, CSV, SWMM file) are in code
// page 936 (EncodeCodePage936) without byte-order mark, every line ended with
// CR LF.

// Reads a text file's bytes: a UTF-8 or UTF-16 (either order) byte-order mark
// selects that encoding, anything else is read as code page 936.
QString DecodeTextFile(const QByteArray& bytes);

} // namespace velmora
