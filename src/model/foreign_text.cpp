#include "foreign_text.h"

namespace velmora {

namespace {

const QChar Replacement(0xFFFD);

bool IsControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
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
