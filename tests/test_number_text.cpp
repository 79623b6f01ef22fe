#include "number_text.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {
QString General(double x) {
    return GeneralNumberText(x, QLatin1Char('.'));
}
} // namespace

TEST(GeneralNumberText, ShortestTextWithFifteenSignificantDigits) {
    EXPECT_EQ(General(2), "2");
    EXPECT_EQ(General(0.4), "0.4");
    EXPECT_EQ(General(120), "120");
    EXPECT_EQ(General(9.5981), "9.5981");
    EXPECT_EQ(General(-0.846), "-0.846");
    EXPECT_EQ(General(0), "0");
    EXPECT_EQ(General(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(General(9.5981 / 0.006), "1599.68333333333");
    EXPECT_EQ(General(0.1 + 0.2), "0.3");
    EXPECT_EQ(General(123456789012345.0), "123456789012345");
    EXPECT_EQ(GeneralNumberText(166.6667, QLatin1Char(',')), "166,6667");
}

TEST(GeneralNumberText, ExponentOnlyForVerySmallAndVeryLargeMagnitudes) {
    EXPECT_EQ(General(0.0001), "0.0001");
    EXPECT_EQ(General(0.00005), "5E-5");
    EXPECT_EQ(General(0.000001), "1E-6");
    EXPECT_EQ(General(-0.000015), "-1.5E-5");
    EXPECT_EQ(General(1e15), "1E15");
    EXPECT_EQ(General(1.5e20), "1.5E20");
    EXPECT_EQ(GeneralNumberText(1.5e20, QLatin1Char(',')), "1,5E20");
}

TEST(ParseDecimalNumber, AcceptsOnlyTheGivenSeparator) {
    const QChar dot = QLatin1Char('.');
    EXPECT_EQ(ParseDecimalNumber(u"1.5", dot), 1.5);
    EXPECT_EQ(ParseDecimalNumber(u"  -3e2 ", dot), -300.0);
    EXPECT_EQ(ParseDecimalNumber(u"+.5", dot), 0.5);
    EXPECT_EQ(ParseDecimalNumber(u"7.", dot), 7.0);
    EXPECT_EQ(ParseDecimalNumber(u"5E-5", dot), 0.00005);
    EXPECT_EQ(ParseDecimalNumber(u"166,5", QLatin1Char(',')), 166.5);
    EXPECT_FALSE(ParseDecimalNumber(u"166.5", QLatin1Char(',')));
    EXPECT_FALSE(ParseDecimalNumber(u"1,5", dot));
}

TEST(ParseDecimalNumber, RefusesWhatIsNotANumber) {
    const QChar dot = QLatin1Char('.');
    for (const char16_t* text : {u"", u" ", u"abc", u"1e", u"1.2.3", u".", u"-", u"1 2", u"1e400",
                                 u"inf", u"nan", u"0x10", u"１"})
        EXPECT_FALSE(ParseDecimalNumber(QStringView(text), dot))
            << QString::fromUtf16(text).toStdString();
}

TEST(ParseInteger, DecimalAndHexadecimalIn32Bits) {
    EXPECT_EQ(ParseInteger(u"42"), 42);
    EXPECT_EQ(ParseInteger(u"  -7"), -7);
    EXPECT_EQ(ParseInteger(u"+5"), 5);
    EXPECT_EQ(ParseInteger(u"$FF"), 255);
    EXPECT_EQ(ParseInteger(u"0x1f"), 31);
    EXPECT_EQ(ParseInteger(u"$FFFFFFFF"), -1);
    EXPECT_EQ(ParseInteger(u"$FF000008"), static_cast<std::int32_t>(0xFF000008u));
    EXPECT_EQ(ParseInteger(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger(u"-2147483648"), INT32_MIN);
    for (const char16_t* text :
         {u"", u"2147483648", u"$100000000", u"1.5", u"9 ", u"x", u"$", u"0x", u"--1"})
        EXPECT_FALSE(ParseInteger(QStringView(text))) << QString::fromUtf16(text).toStdString();
}
