#include "foreign_text.h"

namespace velmora {

namespace {

const QChar Replacement(0xFFFD);

// The C0 and C1 controls, and the characters that show nothing yet change
// what is shown: the zero-width ones and the marks (U+200B–U+200F), the
// bidirectional embeddings, overrides and isolates (U+202A–U+202E,
// U+2066–U+2069), which can make a text read backwards, and the byte-order
// mark U+FEFF.
bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

} // namespace

QString WithoutControlCharacters(QString text) {
    for (QChar& c : text) {
        const char16_t code = c.unicode();
        if (IsControl(code) && code != u'\t' && code != u'\n' && code != u'\r')
            c = Replacement;
    }
    return text;
}

QString QuotedForeignText(const QString& text, qsizetype maxCharacters) {
    QString quoted = text.left(maxCharacters);
    // A surrogate pair cut in two would show as a broken character.
    if (quoted.size() < text.size() && !quoted.isEmpty() && quoted.back().isHighSurrogate())
        quoted.chop(1);
    for (QChar& c : quoted)
        if (IsControl(c.unicode()))
            c = Replacement;
    if (quoted.size() < text.size())
        quoted += QChar(0x2026);
    return quoted;
}

} // namespace velmora
