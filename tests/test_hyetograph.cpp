#include "hyetograph.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace velmora;

namespace {

// The worked values are given to 10 decimals.
constexpr double Tenth = 5e-11;

TOptions PerMinute() {
    return TOptions{};
}

TOptions PerHour() {
    TOptions options;
    options.Int_StormUnitidx = MillimetresPerHour;
    return options;
}

// The intensity of the default formula at a distance d from the peak, for checking
// which distance a minute was given.
double DefaultIntensityAt(double d) {
    const double k = 9.5981 * (1 + 0.846 * std::log10(2.0));
    return k * ((1 - 0.656) * d + 7.0) / std::pow(d + 7.0, 1.656);
}

const THyetographRow* RowAt(const THyetograph& result, double time) {
    for (const auto& row : result.rows)
        if (row.time == time)
            return &row;
    return nullptr;
}

} // namespace

TEST(CalcHyetograph, DefaultStormPerMinute) {
    const auto result = CalcHyetograph(DefaultStorm(), PerMinute());
    ASSERT_TRUE(result.ok()) << result.message().toStdString();
    ASSERT_EQ(result->rows.size(), 121u);
    for (std::size_t i = 0; i < result->rows.size(); ++i)
        ASSERT_EQ(result->rows[i].time, static_cast<double>(i));

    EXPECT_NEAR(result->rows[0].intensity, 0.1908022801, Tenth);
    EXPECT_NEAR(result->rows[0].cumulative, 0.1908022801, Tenth);
    EXPECT_NEAR(result->rows[48].intensity, 3.3599355465, Tenth); // the peak, K / 7^0.656
    EXPECT_NEAR(result->rows[48].cumulative, 25.9954002844, Tenth);
    EXPECT_NEAR(result->rows[120].intensity, 0.1908022801, Tenth);
    EXPECT_NEAR(result->rows[120].cumulative, 60.6344734011, Tenth);
    EXPECT_NEAR(result->overallRainfall, 60.6344734011, Tenth);
    EXPECT_NEAR(result->averageIntensity, 0.5011113504, Tenth);
}

TEST(CalcHyetograph, DefaultStormPerHourKeepsTheDepthInMillimetres) {
    const auto perMinute = CalcHyetograph(DefaultStorm(), PerMinute());
    const auto result = CalcHyetograph(DefaultStorm(), PerHour());
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result->rows.size(), 121u);
    EXPECT_NEAR(result->rows[0].intensity, 11.4481368045, Tenth);
    EXPECT_NEAR(result->rows[48].intensity, 201.5961327906, Tenth);
    for (std::size_t i = 0; i < result->rows.size(); ++i)
        EXPECT_NEAR(result->rows[i].cumulative, perMinute->rows[i].cumulative, 1e-12);
    EXPECT_NEAR(result->overallRainfall, 60.6344734011, Tenth);
    EXPECT_NEAR(result->averageIntensity, 30.0666810253, Tenth);
}

TEST(CalcHyetograph, CalculationWithDisplayedValuesSumsTheRoundedIntensities) {
    TOptions options;
    options.Bool_CalcByShow = true;
    const auto result = CalcHyetograph(DefaultStorm(), options);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->rows[0].intensity, 0.1908);
    EXPECT_EQ(result->rows[48].intensity, 3.3599);
    EXPECT_NEAR(result->rows[120].cumulative, 60.6346, 1e-9);

    options.Int_StormUnitidx = MillimetresPerHour;
    options.Int_Precision = 2;
    const auto perHour = CalcHyetograph(DefaultStorm(), options);
    EXPECT_EQ(perHour->rows[48].intensity, 201.60); // rounded in the selected unit
}

TEST(CalcHyetograph, LargerStepsKeepEveryStepthMinuteAndTheLast) {
    const auto everyMinute = CalcHyetograph(DefaultStorm(), PerMinute());
    TExpressionObject storm = DefaultStorm();

    storm.Storm_Step = 5;
    const auto five = CalcHyetograph(storm, PerMinute());
    ASSERT_EQ(five->rows.size(), 25u);
    for (std::size_t i = 0; i < five->rows.size(); ++i) {
        EXPECT_EQ(five->rows[i].time, 5.0 * static_cast<double>(i));
        EXPECT_EQ(five->rows[i].cumulative, everyMinute->rows[5 * i].cumulative);
    }
    EXPECT_EQ(five->overallRainfall, everyMinute->overallRainfall);
    // The average is that of every minute, not of the rows kept.
    EXPECT_NEAR(five->averageIntensity, 0.5011113504, Tenth);

    storm.Storm_Step = 7;
    const auto seven = CalcHyetograph(storm, PerHour());
    ASSERT_EQ(seven->rows.size(), 19u);
    EXPECT_EQ(seven->rows[17].time, 119.0);
    EXPECT_EQ(seven->rows[18].time, 120.0);
    EXPECT_NEAR(seven->averageIntensity, 30.0666810253, Tenth);
}

// Against the usual table at a one-minute step: rows one step apart, each
// cumulative value the usual one at the row's last minute, rows × step = H.
TEST(CalcHyetograph, IntervalAverageRowsAreOneStepApartAndAddUpToTheTotal) {
    struct Case {
        const char* name;
        double duration;
        std::int32_t step;
        std::int32_t unit;
        bool calcByShow;
        double b;
        std::size_t rows;
    };
    const Case cases[] = {
        {"step 1: the usual table", 120, 1, 1, false, 7, 121},
        {"step 1, mm/h, displayed values: the usual table", 120, 1, 0, true, 7, 121},
        {"step 5: the last row is minute 120 alone", 120, 5, 1, false, 7, 25},
        {"step 7: 121 minutes, the last row 119 to 125", 120, 7, 1, false, 7, 18},
        {"a day at step 7: the last row 1435 to 1441", 1440, 7, 1, false, 7, 206},
        {"mm/h, displayed values, step 5", 120, 5, 0, true, 7, 25},
        {"b = 0, step 4: 120 minutes from minute 1", 120, 4, 1, false, 0, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TExpressionObject storm = DefaultStorm();
        storm.Storm_Time = c.duration;
        storm.b = c.b;
        TOptions options;
        options.Int_StormUnitidx = static_cast<StormUnit>(c.unit);
        options.Bool_CalcByShow = c.calcByShow;
        storm.Storm_Step = 1;
        const auto minutes = CalcHyetograph(storm, options);
        storm.Storm_Step = c.step;
        options.Bool_IntervalAverage = true;
        const auto result = CalcHyetograph(storm, options);
        ASSERT_TRUE(result.ok()) << result.message().toStdString();
        ASSERT_EQ(result->rows.size(), c.rows);

        const double hour = c.unit == 0 ? 60 : 1;
        double rain = 0;
        for (std::size_t i = 0; i < result->rows.size(); ++i) {
            const THyetographRow& row = result->rows[i];
            EXPECT_EQ(row.time, minutes->rows[0].time + static_cast<double>(i * c.step));
            rain += row.intensity * c.step / hour;
            if (c.step == 1) {
                EXPECT_EQ(row.intensity, minutes->rows[i].intensity) << i;
            }
            if (c.step == 1 || !c.calcByShow) {
                const std::size_t last = std::min((i + 1) * c.step, minutes->rows.size()) - 1;
                EXPECT_EQ(row.cumulative, minutes->rows[last].cumulative) << i;
            }
        }
        EXPECT_LE(result->rows.back().time, c.duration);
        EXPECT_EQ(result->rows.back().cumulative, result->overallRainfall);
        EXPECT_NEAR(rain, result->overallRainfall, 1e-10);
        EXPECT_NEAR(result->overallRainfall, minutes->overallRainfall,
                    c.calcByShow && c.step > 1 ? 1e-3 : 0);
        EXPECT_NEAR(result->averageIntensity,
                    result->overallRainfall * hour / static_cast<double>(c.rows * c.step), 1e-12);
        if (c.step == 1) {
            EXPECT_EQ(result->averageIntensity, minutes->averageIntensity);
        }
    }
}

TEST(CalcHyetograph, FractionalDurationPlacesThePeakBetweenMinutes) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = 120.5; // the peak lies at 48.2
    const auto result = CalcHyetograph(storm, PerMinute());
    ASSERT_EQ(result->rows.size(), 121u);
    EXPECT_EQ(result->rows.back().time, 120.0);
    EXPECT_NEAR(result->rows[48].intensity, DefaultIntensityAt(0.5), 1e-12);
    EXPECT_NEAR(result->rows[49].intensity, DefaultIntensityAt(0.8 / 0.6), 1e-12);
}

TEST(CalcHyetograph, ZeroDurationIsOneRowAtThePeak) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = 0;
    const auto result = CalcHyetograph(storm, PerMinute());
    ASSERT_EQ(result->rows.size(), 1u);
    EXPECT_EQ(result->rows[0].time, 0.0);
    EXPECT_NEAR(result->rows[0].intensity, 3.3599355465, Tenth);
    EXPECT_EQ(result->overallRainfall, result->rows[0].intensity);
}

TEST(CalcHyetograph, WithoutBThePeakMinuteIsLeftOutAndEarlierMinutesMoveLater) {
    TExpressionObject storm = DefaultStorm();
    storm.b = 0;
    const auto result = CalcHyetograph(storm, PerMinute());
    ASSERT_TRUE(result.ok()) << result.message().toStdString();
    ASSERT_EQ(result->rows.size(), 120u);
    for (std::size_t i = 0; i < result->rows.size(); ++i)
        ASSERT_EQ(result->rows[i].time, static_cast<double>(i + 1));
    // The row at time 48 holds minute 47, 1 / 0.4 minutes of scaled time before the peak.
    const double k = 9.5981 * (1 + 0.846 * std::log10(2.0));
    EXPECT_NEAR(RowAt(*result, 48)->intensity, k * (1 - 0.656) / std::pow(2.5, 0.656), 1e-12);
    EXPECT_NEAR(result->averageIntensity, result->overallRainfall / 120, 1e-15);
}

TEST(CalcHyetograph, WithoutBALeftOutPeakOnAStepMultipleHasNoRow) {
    TExpressionObject storm = DefaultStorm();
    storm.b = 0;
    storm.Storm_Step = 4;
    const auto result = CalcHyetograph(storm, PerMinute());
    ASSERT_EQ(result->rows.size(), 30u);
    EXPECT_EQ(result->rows[0].time, 1.0);   // minute 0
    EXPECT_EQ(result->rows[11].time, 45.0); // minute 44
    EXPECT_EQ(result->rows[12].time, 52.0); // minute 48 is left out
    EXPECT_EQ(result->rows[29].time, 120.0);
    storm.Storm_Step = 1;
    EXPECT_EQ(result->overallRainfall, CalcHyetograph(storm, PerMinute())->overallRainfall);
}

TEST(CalcHyetograph, UnknownLogarithmGivesZeroIntensities) {
    TExpressionObject storm = DefaultStorm();
    storm.LG_LN = static_cast<Logarithm>(2); // only a storm file holds it
    storm.Storm_RepeatYear = 0;              // not even looked at
    const auto result = CalcHyetograph(storm, PerMinute());
    ASSERT_TRUE(result.ok());
    for (const auto& row : result->rows)
        EXPECT_EQ(row.intensity, 0.0);

    storm = DefaultStorm();
    storm.LG_LN = NaturalLogarithm;
    const auto natural = CalcHyetograph(storm, PerMinute());
    const double k = 9.5981 * (1 + 0.846 * std::log(2.0));
    EXPECT_NEAR(natural->rows[48].intensity, k / std::pow(7.0, 0.656), 1e-12);
}

TEST(CalcHyetograph, ArithmeticFailuresGiveNoRowsAndAMessage) {
    const auto expectFailure = [](const TExpressionObject& storm, const char* what) {
        const auto result = CalcHyetograph(storm, TOptions{});
        EXPECT_FALSE(result.ok()) << what;
        EXPECT_FALSE(result.message().isEmpty()) << what;
    };
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Step = 0;
    expectFailure(storm, "step 0");

    storm = DefaultStorm();
    storm.Storm_RepeatYear = 0;
    expectFailure(storm, "P = 0");
    storm.Storm_RepeatYear = -1;
    expectFailure(storm, "P < 0");

    storm = DefaultStorm();
    storm.Storm_Time = -1;
    expectFailure(storm, "T < 0");
    storm.Storm_Time = std::nan("");
    expectFailure(storm, "T not a number");

    storm = DefaultStorm();
    storm.Storm_Percent = 0;
    expectFailure(storm, "r = 0 divides 0 by 0 at minute 0");

    storm = DefaultStorm();
    storm.Storm_Percent = 0.5;
    storm.b = -2; // minute 59 lies 1 / 0.5 before the peak at 60: t + b = 0
    expectFailure(storm, "division by zero");

    storm = DefaultStorm();
    storm.b = -10;
    expectFailure(storm, "negative base to a fractional power");

    storm = DefaultStorm();
    storm.a1 = 1e308;
    storm.Storm_Time = 1000;
    expectFailure(storm, "overflow");
}

TEST(CalcHyetograph, DesignValuesOutsideTheDialogsRulesAreRefusedWhateverTheirSource) {
    const struct {
        double TExpressionObject::*field;
        double value;
        const char* message;
    } cases[] = {
        {&TExpressionObject::Storm_Percent, 1.5, "峰值比例只能取值(0~1)之间，不包括0和1"},
        {&TExpressionObject::Storm_Percent, 0, "峰值比例只能取值(0~1)之间，不包括0和1"},
        {&TExpressionObject::Storm_Time, -0.5, "降雨历时T=-0.5分钟小于0，没有可计算的数据"},
        {&TExpressionObject::c, -4,
         "1+C·lgP=-0.204119982655925，不大于0（C=-4，P=2年），降雨强度将是负数或0："
         "请检查参数C和重现期P"},
    };
    for (const auto& c : cases) {
        TExpressionObject storm = DefaultStorm();
        storm.*c.field = c.value;
        EXPECT_EQ(CalcHyetograph(storm, PerMinute()).message(), QString::fromUtf8(c.message))
            << c.message;
    }
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Step = -5;
    EXPECT_EQ(CalcHyetograph(storm, PerMinute()).message(),
              QStringLiteral("计算步长=-5分钟是负数，只能取正整数"));
}

TEST(CalcHyetograph, APowerThatOverflowsIsAFailureNotADryMinute) {
    // (t + b)^(n+1) passes the largest double while the intensity K/b ≈ 0.09
    // mm/min is ordinary: the storm holds about 10.8 mm, not 0.
    TExpressionObject storm = DefaultStorm();
    storm.a1 = 1e153;
    storm.b = 1.4e154;
    storm.n = 1;
    const auto result = CalcHyetograph(storm, TOptions{});
    EXPECT_EQ(result.message(), QStringLiteral("第0分钟的降雨强度计算溢出或不是有效数字"));
}

TEST(CalcHyetograph, DurationsBeyondTheLimitAreRefusedNamingIt) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = MaxStormMinutes;
    const auto atLimit = CalcHyetograph(storm, PerMinute());
    ASSERT_TRUE(atLimit.ok());
    EXPECT_EQ(atLimit->rows.size(), static_cast<std::size_t>(MaxStormMinutes) + 1);

    storm.Storm_Time = MaxStormMinutes + 1;
    const auto beyond = CalcHyetograph(storm, PerMinute());
    EXPECT_FALSE(beyond.ok());
    EXPECT_EQ(beyond.message(), QStringLiteral("降雨历时T=100001分钟超过了可计算的上限100000分钟"));

    storm.Storm_Time = 1e300;
    EXPECT_FALSE(CalcHyetograph(storm, PerMinute()).ok());
}

TEST(StoreResults, WritesTheTotalsOrZerosAfterAFailure) {
    TExpressionObject storm = DefaultStorm();
    StoreResults(storm, CalcHyetograph(storm, PerMinute()));
    EXPECT_NEAR(storm.Strom_Overall_Rainfall, 60.6344734011, Tenth);
    EXPECT_NEAR(storm.Strom_Average_Rainfall_Intensity, 0.5011113504, Tenth);

    storm.Storm_Step = 0;
    StoreResults(storm, CalcHyetograph(storm, PerMinute()));
    EXPECT_EQ(storm.Strom_Overall_Rainfall, 0.0);
    EXPECT_EQ(storm.Strom_Average_Rainfall_Intensity, 0.0);
}
