#include "font_text.h"

#include "number_text.h"

#include <array>

namespace velmora {

namespace {

struct ColorIdentifier {
    const char* name;
    std::uint32_t value;
};

constexpr std::uint32_t ThemeColor(std::uint32_t index) {
    return 0xFF000000u + index;
}

constexpr std::array<ColorIdentifier, 52> ColorIdentifiers = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", ThemeColor(0)},
    {"clBackground", ThemeColor(1)},
    {"clActiveCaption", ThemeColor(2)},
    {"clInactiveCaption", ThemeColor(3)},
    {"clMenu", ThemeColor(4)},
    {"clWindow", ThemeColor(5)},
    {"clWindowFrame", ThemeColor(6)},
    {"clMenuText", ThemeColor(7)},
    {"clWindowText", ThemeColor(8)},
    {"clCaptionText", ThemeColor(9)},
    {"clActiveBorder", ThemeColor(10)},
    {"clInactiveBorder", ThemeColor(11)},
    {"clAppWorkSpace", ThemeColor(12)},
    {"clHighlight", ThemeColor(13)},
    {"clHighlightText", ThemeColor(14)},
    {"clBtnFace", ThemeColor(15)},
    {"clBtnShadow", ThemeColor(16)},
    {"clGrayText", ThemeColor(17)},
    {"clBtnText", ThemeColor(18)},
    {"clInactiveCaptionText", ThemeColor(19)},
    {"clBtnHighlight", ThemeColor(20)},
    {"cl3DDkShadow", ThemeColor(21)},
    {"cl3DLight", ThemeColor(22)},
    {"clInfoText", ThemeColor(23)},
    {"clInfoBk", ThemeColor(24)},
    {"clHotLight", ThemeColor(26)},
    {"clGradientActiveCaption", ThemeColor(27)},
    {"clGradientInactiveCaption", ThemeColor(28)},
    {"clMenuHighlight", ThemeColor(29)},
    {"clMenuBar", ThemeColor(30)},
}};

// The text reading below counts positions from 1, as the font text form was
// defined: Copy yields fewer characters at the end and nothing for a count of
// 0 or less, Pos yields 0 when nothing is found.
QString Copy(const QString& text, qsizetype position, qsizetype count) {
    if (count <= 0 || position < 1 || position > text.size())
        return {};
    return text.mid(position - 1, count);
}

qsizetype Pos(QChar c, const QString& text) {
    return text.indexOf(c) + 1;
}

void DeleteUpTo(QString& text, qsizetype position) {
    if (position > 0)
        text.remove(0, position);
}

} // namespace

QString ColorToText(std::uint32_t color) {
    for (const auto& identifier : ColorIdentifiers)
        if (identifier.value == color)
            return QString::fromLatin1(identifier.name);
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<std::uint32_t> TextToColor(const QString& text) {
    for (const auto& identifier : ColorIdentifiers)
        if (text.compare(QLatin1String(identifier.name), Qt::CaseInsensitive) == 0)
            return identifier.value;
    if (const auto value = ParseInteger(text))
        return static_cast<std::uint32_t>(*value);
    return std::nullopt;
}

QString FontToText(const TFontDescription& font, bool withColor) {
    QString styles;
    if (font.bold)
        styles += QStringLiteral("|Bold");
    if (font.italic)
        styles += QStringLiteral("|Italic");
    if (font.underline)
        styles += QStringLiteral("|Underline");
    if (font.strikeout)
        styles += QStringLiteral("|Strikeout");
    if (styles.startsWith(QLatin1Char('|')))
        styles.remove(0, 1);
    QString text =
        QStringLiteral("\"%1\", %2, [%3]").arg(font.face, QString::number(font.points), styles);
    if (withColor)
        text += QStringLiteral(", [%1]").arg(ColorToText(font.color));
    return text;
}

void TextToFont(const QString& text, TFontDescription& font, bool withColor) {
    QString rest = text;
    qsizetype p = Pos(QLatin1Char(','), rest);
    const QString face = Copy(rest, 2, p - 3);
    if (!face.isEmpty())
        font.face = face;

    DeleteUpTo(rest, p);
    p = Pos(QLatin1Char(','), rest);
    const auto points = ParseInteger(Copy(rest, 2, p - 2));
    if (!points)
        return;
    if (*points >= SmallestFontPoints && *points <= LargestFontPoints)
        font.points = *points;

    DeleteUpTo(rest, p);
    p = Pos(QLatin1Char(','), rest);
    const QString styles = QLatin1Char('|') + Copy(rest, 3, p - 4);

    DeleteUpTo(rest, p);
    if (withColor) {
        const auto color = TextToColor(Copy(rest, 3, rest.size() - 3));
        if (!color)
            return;
        font.color = *color;
    }
    font.bold = styles.contains(QStringLiteral("|Bold"));
    font.italic = styles.contains(QStringLiteral("|Italic"));
    font.underline = styles.contains(QStringLiteral("|Underline"));
    font.strikeout = styles.contains(QStringLiteral("|Strikeout"));
}

} // namespace velmora
