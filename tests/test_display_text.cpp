#include "display_text.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {
const QChar Dot = QLatin1Char('.');

TExpressionObject ComputedDefaultStorm(const TOptions& options, THyetograph* result = nullptr) {
    TExpressionObject storm = DefaultStorm();
    const auto computed = CalcHyetograph(storm, options);
    StoreResults(storm, computed);
    if (result)
        *result = computed.value();
    return storm;
}
} // namespace

TEST(TimeText, HoursAndMinutesDoNotWrapAtOneDay) {
    EXPECT_EQ(TimeText(0, HoursAndMinutesFormat), "00:00");
    EXPECT_EQ(TimeText(5, HoursAndMinutesFormat), "00:05");
    EXPECT_EQ(TimeText(65, HoursAndMinutesFormat), "01:05");
    EXPECT_EQ(TimeText(120, HoursAndMinutesFormat), "02:00");
    EXPECT_EQ(TimeText(1439, HoursAndMinutesFormat), "23:59");
    EXPECT_EQ(TimeText(1440, HoursAndMinutesFormat), "24:00");
    EXPECT_EQ(TimeText(1500, HoursAndMinutesFormat), "25:00");
    EXPECT_EQ(TimeText(100000, HoursAndMinutesFormat), "1666:40");
}

TEST(TimeText, MinutesHaveAtLeastTwoDigits) {
    EXPECT_EQ(TimeText(0, MinutesFormat), "00");
    EXPECT_EQ(TimeText(5, MinutesFormat), "05");
    EXPECT_EQ(TimeText(48, MinutesFormat), "48");
    EXPECT_EQ(TimeText(120, MinutesFormat), "120");
    EXPECT_EQ(TimeText(100000, MinutesFormat), "100000");
}

TEST(ResultTexts, DefaultStormWithDefaultOptions) {
    THyetograph result;
    const TOptions options;
    const TExpressionObject storm = ComputedDefaultStorm(options, &result);

    const auto first = ResultRowTexts(result.rows[0], options, Dot);
    EXPECT_EQ(first.time, "00");
    EXPECT_EQ(first.intensity, "0.1908");
    EXPECT_EQ(first.cumulative, "0.1908");
    const auto peak = ResultRowTexts(result.rows[48], options, Dot);
    EXPECT_EQ(peak.time, "48");
    EXPECT_EQ(peak.intensity, "3.3599");
    EXPECT_EQ(peak.cumulative, "25.9954");
    const auto last = ResultRowTexts(result.rows[120], options, Dot);
    EXPECT_EQ(last.time, "120");
    EXPECT_EQ(last.intensity, "0.1908");
    EXPECT_EQ(last.cumulative, "60.6345");

    EXPECT_EQ(ReturnPeriodLabelText(storm, Dot), "重现期  P=2年");
    EXPECT_EQ(DurationLabelText(storm, Dot), "降雨历时t=120min");
    EXPECT_EQ(PeakRatioLabelText(storm, Dot), "峰值比例r=0.4");
    EXPECT_EQ(OverallRainfallLabelText(storm, options, Dot), "降雨总量H=60.6345mm");
    EXPECT_EQ(
        AverageIntensityLabelText(storm, options, *IntensityUnitText(MillimetresPerMinute), Dot),
        "平均雨强i=0.5011mm/min");
    EXPECT_EQ(IntensityColumnHeader(MillimetresPerMinute), "降雨强度mm/min");
    EXPECT_EQ(IntensityAxisTitle(MillimetresPerMinute), "降雨强度(mm/min)");
}

TEST(ResultTexts, PerHourWithTwoDecimalsInHoursAndMinutes) {
    TOptions options;
    options.Int_StormUnitidx = MillimetresPerHour;
    options.Int_Precision = 2;
    options.Int_TimeForamtidx = HoursAndMinutesFormat;
    THyetograph result;
    const TExpressionObject storm = ComputedDefaultStorm(options, &result);

    const auto peak = ResultRowTexts(result.rows[48], options, Dot);
    EXPECT_EQ(peak.time, "00:48");
    EXPECT_EQ(peak.intensity, "201.60");
    EXPECT_EQ(peak.cumulative, "26.00");
    EXPECT_EQ(ResultRowTexts(result.rows[120], options, Dot).time, "02:00");
    EXPECT_EQ(
        AverageIntensityLabelText(storm, options, *IntensityUnitText(MillimetresPerHour), Dot),
        "平均雨强i=30.07mm/h");
    EXPECT_EQ(IntensityColumnHeader(MillimetresPerHour), "降雨强度mm/h");
    EXPECT_EQ(IntensityAxisTitle(MillimetresPerHour), "降雨强度(mm/h)");
    EXPECT_FALSE(IntensityColumnHeader(static_cast<StormUnit>(2)));
    EXPECT_FALSE(IntensityAxisTitle(static_cast<StormUnit>(-1)));
}

TEST(ResultTexts, TenDecimalsAndTheUsersSeparator) {
    TOptions options;
    options.Int_Precision = 10;
    THyetograph result;
    ComputedDefaultStorm(options, &result);
    const auto first = ResultRowTexts(result.rows[0], options, QLatin1Char(','));
    EXPECT_EQ(first.intensity, "0,1908022801");
    EXPECT_EQ(first.cumulative, "0,1908022801");

    TExpressionObject storm = DefaultStorm();
    storm.Storm_Percent = 0.35;
    EXPECT_EQ(PeakRatioLabelText(storm, QLatin1Char(',')), "峰值比例r=0,35");
}

TEST(ResultTexts, DecimalsFromAHandEditedFileAreHeldWithinZeroTo99) {
    TOptions options;
    options.Int_Precision = -3;
    THyetograph result;
    const TExpressionObject storm = ComputedDefaultStorm(options, &result);
    EXPECT_EQ(ResultRowTexts(result.rows[48], options, Dot).intensity, "3");
    EXPECT_EQ(OverallRainfallLabelText(storm, options, Dot), "降雨总量H=61mm");

    options.Int_Precision = 1000000;
    const auto many = ResultRowTexts(result.rows[0], options, Dot);
    EXPECT_EQ(many.intensity.size(), 101); // "0." and 99 decimals
    EXPECT_EQ(many.intensity, "0.190802280074966" + QString(84, QLatin1Char('0')));
}
