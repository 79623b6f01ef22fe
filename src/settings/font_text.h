#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace velmora {

// A font as the options keep it, free of any toolkit: the colour is a 32-bit
// value in byte order 00BBGGRR; values from FF000000 on name a colour of the
// desktop theme by its index (FF000008 is the window-text colour).
struct TFontDescription {
    QString face = QStringLiteral("Arial");
    int points = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::uint32_t color = 0;

    bool operator==(const TFontDescription&) const = default;
};

// The colour's identifier ("clBlack", "clWindowText", …) or "$" and eight
// upper-case hexadecimal digits.
QString ColorToText(std::uint32_t color);
// An identifier in any letter case, or an integer text ("$00808081", "0x…",
// decimal); nothing for anything else.
std::optional<std::uint32_t> TextToColor(const QString& text);

// "\"Arial\", 9, [Bold|Italic], [clWindowText]"; the colour part only when
// `withColor` is set.
QString FontToText(const TFontDescription& font, bool withColor = true);

// The sizes the font dialog offers, in points. A size outside them, which only
// an edited options file can hold, would take gigabytes to draw.
inline constexpr int SmallestFontPoints = 6;
inline constexpr int LargestFontPoints = 72;

// Sets `font` from font text. Reading stops without a message at the first
// part that does not convert: what was set before stays, the rest of the font
// is left as it was. A size outside the offered ones leaves the size as it
// was and the other parts are still read.
void TextToFont(const QString& text, TFontDescription& font, bool withColor = true);

} // namespace velmora
