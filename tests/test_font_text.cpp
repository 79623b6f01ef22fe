#include "font_text.h"

#include <gtest/gtest.h>

#include <set>

using namespace velmora;

namespace {

TFontDescription Read(const QString& text, TFontDescription font = {}) {
    TextToFont(text, font);
    return font;
}

// The identifiers with their values (00BBGGRR), as the options file knows them.
const std::vector<std::pair<const char*, std::uint32_t>> KnownColors = {
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
    {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clInactiveCaption", 0xFF000003},
    {"clMenu", 0xFF000004},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clMenuText", 0xFF000007},
    {"clWindowText", 0xFF000008},
    {"clCaptionText", 0xFF000009},
    {"clActiveBorder", 0xFF00000A},
    {"clInactiveBorder", 0xFF00000B},
    {"clAppWorkSpace", 0xFF00000C},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clInactiveCaptionText", 0xFF000013},
    {"clBtnHighlight", 0xFF000014},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clInfoText", 0xFF000017},
    {"clInfoBk", 0xFF000018},
    {"clHotLight", 0xFF00001A},
    {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C},
    {"clMenuHighlight", 0xFF00001D},
    {"clMenuBar", 0xFF00001E},
};

} // namespace

TEST(FontText, TheDefaultTextsRead) {
    const auto axis = Read(QStringLiteral("\"Arial\", 9, [], [clBlack]"),
                           {QStringLiteral("Other"), 20, true, true, true, true, 0x123456});
    EXPECT_EQ(axis, (TFontDescription{QStringLiteral("Arial"), 9, false, false, false, false, 0}));

    const auto info = Read(QStringLiteral("\"Arial\", 9, [Bold], [clWindowText]"));
    EXPECT_TRUE(info.bold);
    EXPECT_FALSE(info.italic);
    EXPECT_EQ(info.color, 0xFF000008u);
}

TEST(FontText, FaceStylesAndDollarColour) {
    const auto font = Read(QStringLiteral("\"宋体\", 12, [Bold|Underline], [$00808080]"));
    EXPECT_EQ(font,
              (TFontDescription{QStringLiteral("宋体"), 12, true, false, true, false, 0x808080}));
    EXPECT_EQ(FontToText(font), "\"宋体\", 12, [Bold|Underline], [clGray]");

    const TFontDescription all{QStringLiteral("Arial"), 9, true, true, true, true, 0x808081};
    EXPECT_EQ(FontToText(all), "\"Arial\", 9, [Bold|Italic|Underline|Strikeout], [$00808081]");
    EXPECT_EQ(FontToText(all, false), "\"Arial\", 9, [Bold|Italic|Underline|Strikeout]");
    EXPECT_EQ(Read(FontToText(all)), all);
}

TEST(FontText, ReadingStopsAtThePartThatDoesNotConvert) {
    const TFontDescription before{QStringLiteral("Old"), 11, false, true, false, false, 0xFF};

    auto font = Read(QStringLiteral("\"Arial\", x, [Bold], [clBlack]"), before);
    TFontDescription expected = before;
    expected.face = QStringLiteral("Arial");
    EXPECT_EQ(font, expected);

    font = Read(QStringLiteral("\"Arial\", 10, [Bold], [notacolour]"), before);
    expected.points = 10; // the styles come after the colour and stay as they were
    EXPECT_EQ(font, expected);

    EXPECT_EQ(Read(QString(), before), before);
    EXPECT_EQ(Read(QStringLiteral("\"\", 14, [Italic], [clRed]"), before),
              (TFontDescription{QStringLiteral("Old"), 14, false, true, false, false, 0x0000FF}));
}

TEST(FontText, EveryColourIdentifierBothWays) {
    std::set<std::uint32_t> values;
    for (const auto& [name, value] : KnownColors) {
        EXPECT_EQ(ColorToText(value), name);
        EXPECT_EQ(TextToColor(QString::fromLatin1(name)), value) << name;
        EXPECT_EQ(TextToColor(QString::fromLatin1(name).toUpper()), value) << name;
        values.insert(value);
    }
    EXPECT_EQ(values.size(), 52u);
}

TEST(FontText, OtherColoursAreWrittenAsDollarHex) {
    for (const std::uint32_t value :
         {0x808081u, 0x00000001u, 0xFF000019u, 0x12ABCDEFu, 0xFFFFFFFFu}) {
        const QString text = ColorToText(value);
        EXPECT_EQ(text, QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper());
        EXPECT_EQ(TextToColor(text), value);
        const TFontDescription font{
            QStringLiteral("Noto Sans CJK SC"), 16, false, true, false, true, value};
        EXPECT_EQ(Read(FontToText(font)), font);
    }
    EXPECT_EQ(TextToColor(QStringLiteral("255")), 255u);
    EXPECT_EQ(TextToColor(QStringLiteral("-16777208")), 0xFF000008u);
    EXPECT_FALSE(TextToColor(QStringLiteral("clWindowTexts")));
}
