#include "number_text.h"
#include "rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace velmora;

TEST(RoundToPrecision, DecidesOnTheDecimalDigitsNotTheBinaryValue) {
    // 2.675 is stored as 2.67499999999999982236431605997495353221893310546875.
    EXPECT_EQ(RoundToPrecision(2, 2.675), 2.68);
    EXPECT_EQ(RoundToPrecision(2, -2.675), -2.68);
    EXPECT_EQ(RoundToPrecision(2, 1.005), 1.01);
    EXPECT_EQ(RoundToPrecision(4, 0.1908022801), 0.1908);
    EXPECT_EQ(RoundToPrecision(4, 3.3599355465), 3.3599);
}

TEST(RoundToPrecision, TiesGoAwayFromZeroAndCarriesRunThroughNines) {
    EXPECT_EQ(RoundToPrecision(0, 0.5), 1.0);
    EXPECT_EQ(RoundToPrecision(0, 2.5), 3.0);
    EXPECT_EQ(RoundToPrecision(0, -2.5), -3.0);
    EXPECT_EQ(RoundToPrecision(2, 0.995), 1.0);
    EXPECT_EQ(RoundToPrecision(1, 99.96), 100.0);
    EXPECT_EQ(RoundToPrecision(3, 0.0004999), 0.0);
    EXPECT_EQ(RoundToPrecision(4, 0.00005), 0.0001);
    EXPECT_EQ(RoundToPrecision(4, 0.00004), 0.0);
}

TEST(RoundToPrecision, ManyDecimalsGiveTheFifteenDigitValue) {
    EXPECT_EQ(RoundToPrecision(99, 0.1 + 0.2), 0.3);
    EXPECT_EQ(RoundToPrecision(20, 1.0 / 3.0), 0.333333333333333);
    EXPECT_EQ(RoundToPrecision(4, 1e20), 1e20);
    EXPECT_EQ(RoundToPrecision(4, 0.0), 0.0);
    EXPECT_TRUE(std::isnan(RoundToPrecision(4, std::numeric_limits<double>::quiet_NaN())));
}

TEST(FixedDecimalsText, WritesExactlyNDecimalsOfTheRoundedValue) {
    const QChar dot = QLatin1Char('.');
    EXPECT_EQ(FixedDecimalsText(0.1908022801, 4, dot), "0.1908");
    EXPECT_EQ(FixedDecimalsText(0.1908022801, 10, dot), "0.1908022801");
    EXPECT_EQ(FixedDecimalsText(201.5961327906, 2, dot), "201.60");
    EXPECT_EQ(FixedDecimalsText(2.675, 2, dot), "2.68");
    EXPECT_EQ(FixedDecimalsText(60.6344734011, 4, QLatin1Char(',')), "60,6345");
    EXPECT_EQ(FixedDecimalsText(3.5, 0, dot), "4");
    EXPECT_EQ(FixedDecimalsText(0.0, 3, dot), "0.000");
    EXPECT_EQ(FixedDecimalsText(-1.25, 1, dot), "-1.3");
    EXPECT_EQ(FixedDecimalsText(-0.00001, 4, dot), "0.0000");
    EXPECT_EQ(FixedDecimalsText(1e20, 1, dot), "100000000000000000000.0");
}

TEST(FixedDecimalsText, DecimalsBeyondTheSignificantDigitsAreZeros) {
    const QString text = FixedDecimalsText(0.1908, 99, QLatin1Char('.'));
    EXPECT_EQ(text.size(), 101);
    EXPECT_EQ(text, "0.1908" + QString(95, QLatin1Char('0')));
    EXPECT_EQ(FixedDecimalsText(2.5, -3, QLatin1Char('.')), "3");
}
