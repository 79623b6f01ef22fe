#pragma once

#include "font_text.h"
#include "options.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace velmora {

// A colour of the options (00BBGGRR, or a theme colour from FF000000 on) as the
// screen shows it; theme colours come from the palette's colour of the same
// role; "no colour" and "default colour" give `ownerDefault`.
QColor ToScreenColor(std::uint32_t color, const QPalette& palette, const QColor& ownerDefault);

// The colour's 00BBGGRR value.
std::uint32_t ToColorValue(const QColor& color);

struct ScreenFont {
    QFont font;
    QColor color;
};

// A font description as drawn: its face, size and styles on `base`, its colour
// resolved (theme colours through `palette`, "no colour" to `ownerDefault`).
ScreenFont ToScreenFont(const TFontDescription& description, const QFont& base,
                        const QColor& ownerDefault, const QPalette& palette);

// The font written as font text, applied onto `base` (what does not parse
// stays as in `base`, as reading font text does).
ScreenFont FontFromText(const QString& text, const QFont& base, const QColor& baseColor,
                        const QPalette& palette);

// The chart's axis fonts as the options describe them, on Arial 9 in black.
struct ChartAxisFonts {
    ScreenFont leftLabels, leftTitle, rightLabels, rightTitle, bottomLabels, bottomTitle;
};
ChartAxisFonts ChartAxisFontsFromOptions(const TOptions& options, const QPalette& palette);

// The information labels' font as the options describe it, on bold Arial 9
// in the palette's text colour.
ScreenFont InfoLabelFontFromOptions(const TOptions& options, const QPalette& palette);

} // namespace velmora
