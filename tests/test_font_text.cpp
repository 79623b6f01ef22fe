#include "font_text.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

TFontDescription Read(const QString& text, TFontDescription font = {}) {
    TextToFont(text, font);
    return font;
}

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

TEST(FontText, SizesOutsideTheOfferedOnesKeepTheFontsDefaultSize) {
    // An edited file's 8000 points would take gigabytes to draw; the other
    // parts are still read.
    const std::pair<const char*, int> sizes[] = {{"8000", 9}, {"40000", 9}, {"73", 9}, {"5", 9},
                                                 {"-12", 9},  {"72", 72},   {"6", 6}};
    for (const auto& [size, points] : sizes) {
        const auto font =
            Read(QStringLiteral("\"Arial\", %1, [Bold], [clRed]").arg(QLatin1String(size)));
        EXPECT_EQ(font, (TFontDescription{QStringLiteral("Arial"), points, true, false, false,
                                          false, 0x0000FF}))
            << size;
    }
}

TEST(FontText, ColourIdentifiersOfEveryGroupBothWaysInAnyCase) {
    // Values as 00BBGGRR: standard, extra and special colours, the first,
    // a middle and the last system colour.
    const std::pair<const char*, std::uint32_t> identifiers[] = {
        {"clRed", 0x0000FF},         {"clNavy", 0x800000},      {"clMoneyGreen", 0xC0DCC0},
        {"clMedGray", 0xA4A0A0},     {"clNone", 0x1FFFFFFF},    {"clDefault", 0x20000000},
        {"clScrollBar", 0xFF000000}, {"clBtnFace", 0xFF00000F}, {"clHotLight", 0xFF00001A},
        {"clMenuBar", 0xFF00001E},
    };
    for (const auto& [name, value] : identifiers) {
        EXPECT_EQ(ColorToText(value), QString::fromLatin1(name));
        EXPECT_EQ(TextToColor(QString::fromLatin1(name)), value) << name;
        EXPECT_EQ(TextToColor(QString::fromLatin1(name).toLower()), value) << name;
    }
    // Every system colour but the unnamed 0x19 has a name that reads back.
    for (std::uint32_t value = 0xFF000000; value <= 0xFF00001E; ++value) {
        const QString text = ColorToText(value);
        EXPECT_EQ(text.startsWith(QStringLiteral("cl")), value != 0xFF000019) << value;
        EXPECT_EQ(TextToColor(text), value) << text.toStdString();
    }
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
