#pragma once

#include <QString>

namespace velmora {

// Text that came from a file, a server or the user, made safe to show on a
// screen or a terminal: every control character other than tab and the line
// breaks (escape, bell, backspace, NUL, DEL, the C1 controls) becomes U+FFFD,
// so that nothing received can move a terminal's cursor or retitle it; so do
// the invisible characters that reorder or hide text (bidirectional
// overrides and isolates, zero-width characters, the byte-order mark).
QString WithoutControlCharacters(QString text);

// The longest foreign text a message quotes; a text a page long helps nobody.
inline constexpr qsizetype MaxQuotedCharacters = 200;

// Foreign text as a message quotes it: without control characters (line
// breaks included, so it stays on the message's line) and cut after
// `maxCharacters` characters with "…".
QString QuotedForeignText(const QString& text, qsizetype maxCharacters = MaxQuotedCharacters);

} // namespace velmora
