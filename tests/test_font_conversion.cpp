#include "font_conversion.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(FontConversion, PlainAndThemeColours) {
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
    palette.setColor(QPalette::Highlight, QColor(4, 5, 6));
    const QColor owner(7, 8, 9);
    EXPECT_EQ(ToScreenColor(0x0000FF, palette, owner), QColor(255, 0, 0)); // 00BBGGRR
    EXPECT_EQ(ToScreenColor(0xF0CAA6, palette, owner), QColor(166, 202, 240));
    EXPECT_EQ(ToScreenColor(0xFF000008, palette, owner), QColor(1, 2, 3)); // clWindowText
    EXPECT_EQ(ToScreenColor(0xFF00000D, palette, owner), QColor(4, 5, 6)); // clHighlight
    EXPECT_EQ(ToScreenColor(0x1FFFFFFF, palette, owner), owner);           // clNone
    EXPECT_EQ(ToScreenColor(0x20000000, palette, owner), owner);           // clDefault
}

TEST(FontConversion, FontTextOntoABaseFont) {
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(10, 20, 30));
    const QFont base(QStringLiteral("Arial"), 9);

    const ScreenFont label = FontFromText(QStringLiteral("\"Arial\", 9, [Bold], [clWindowText]"),
                                          base, Qt::black, palette);
    EXPECT_EQ(label.font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(label.font.pointSize(), 9);
    EXPECT_TRUE(label.font.bold());
    EXPECT_EQ(label.color, QColor(10, 20, 30));

    // A size that does not convert keeps the base font's size, styles and colour.
    const ScreenFont partial =
        FontFromText(QStringLiteral("\"Courier\", x, [Italic], [clRed]"), base, Qt::black, palette);
    EXPECT_EQ(partial.font.family(), QStringLiteral("Courier"));
    EXPECT_EQ(partial.font.pointSize(), 9);
    EXPECT_FALSE(partial.font.italic());
    EXPECT_EQ(partial.color, QColor(Qt::black));
}
