#include "number_text.h"
#include "rounding.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

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

namespace {

std::uint64_t Bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

// The binary decision must give the very double the decimal text gives.
void ExpectSameAsThroughText(int decimals, double x) {
    ASSERT_EQ(Bits(RoundToPrecision(decimals, x)), Bits(RoundToPrecisionThroughText(decimals, x)))
        << "decimals " << decimals << ", x " << std::hexfloat << x;
}

} // namespace

TEST(RoundToPrecision, EveryWorkedAndTieCaseAgreesWithTheDecimalText) {
    const std::pair<int, double> cases[] = {{2, 2.675},
                                            {2, -2.675},
                                            {2, 1.005},
                                            {4, 0.1908022801},
                                            {4, 3.3599355465},
                                            {0, 0.5},
                                            {0, 2.5},
                                            {0, -2.5},
                                            {2, 0.995},
                                            {1, 99.96},
                                            {3, 0.0004999},
                                            {4, 0.00005},
                                            {4, 0.00004},
                                            {99, 0.1 + 0.2},
                                            {20, 1.0 / 3.0},
                                            {4, 1e20},
                                            {4, 0.0},
                                            {4, -0.0},
                                            {4, -0.00001},
                                            {1, -1.25},
                                            {2, 201.5961327906},
                                            {4, 60.6344734011},
                                            {-3, 2.5},
                                            {0, 3.5},
                                            {22, 0.5e-22},
                                            {4, 4.9e-324},
                                            {2, 1e300},
                                            {10, 0.1908022801},
                                            {0, 4503599627370495.5}};
    for (const auto& [decimals, x] : cases)
        ExpectSameAsThroughText(decimals, x);
    EXPECT_TRUE(std::isnan(RoundToPrecision(4, std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(RoundToPrecision(2, std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
}

TEST(RoundToPrecision, AgreesWithTheDecimalTextRoundTies) {
    // Ties k + ½ at the wanted decimal and every double up to 128 steps either
    // side: the binary decision starts within that distance of a tie.
    std::vector<int> units(50);
    std::iota(units.begin(), units.end(), 0);
    units.insert(units.end(), {99, 999, 9999, 99999, 999999, 123456, 9999999});
    std::int64_t checked = 0;
    for (int decimals = 0; decimals <= 6; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        for (const int k : units) {
            const double tie = (k + 0.5) / scale;
            double below = tie, above = tie;
            for (int step = 0; step <= 128; ++step) {
                ExpectSameAsThroughText(decimals, below);
                ExpectSameAsThroughText(decimals, -above);
                ExpectSameAsThroughText(decimals, above);
                if (HasFatalFailure())
                    return; // one report, not thousands
                below = std::nextafter(below, 0.0);
                above = std::nextafter(above, 1e300);
                checked += 3;
            }
        }
    }
    EXPECT_EQ(checked, 7 * 57 * 129 * 3);
}

TEST(RoundToPrecision, AgreesWithTheDecimalTextOverTheStormsRange) {
    // Intensities from 1e-4 to 1e4 mm/h or mm/min at 0 to 12 decimals: random
    // values, spread evenly over the logarithm.
    std::mt19937_64 random(17);
    std::uniform_real_distribution<double> exponent(-4.0, 4.0);
    for (int i = 0; i < 1'000'000; ++i) {
        const double x = std::pow(10.0, exponent(random));
        ExpectSameAsThroughText(i % 13, x);
        if (HasFatalFailure())
            return;
    }
}
