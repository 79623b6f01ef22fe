#pragma once

#include "font_text.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace velmora {

// A colour of the options (00BBGGRR, or a theme colour from FF000000 on) as the
// screen shows it; theme colours come from the palette's colour of the same
// role; "no colour" and "default colour" give `ownerDefault`.
QColor ToScreenColor(std::uint32_t color, const QPalette& palette, const QColor& ownerDefault);

struct ScreenFont {
    QFont font;
    QColor color;
};

// The font written as font text, applied onto `base` (what does not parse
// stays as in `base`, as reading font text does).
ScreenFont FontFromText(const QString& text, const QFont& base, const QColor& baseColor,
                        const QPalette& palette);

} // namespace velmora
