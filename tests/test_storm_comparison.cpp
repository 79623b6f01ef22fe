#include "compared_storms.h"
#include "csv_text.h"
#include "qstring_printer.h"
#include "storm_comparison.h"
#include "swmm_text.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

using namespace velmora;

namespace {

TExpressionObject Storm(double repeatYear, double duration, std::int32_t step) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_RepeatYear = repeatYear;
    storm.Storm_Time = duration;
    storm.Storm_Step = step;
    return storm;
}

TOptions WithUnit(int unit) {
    TOptions options;
    options.Int_StormUnitidx = static_cast<StormUnit>(unit);
    options.Int_Precision = 3;
    return options;
}

// The lines of a storm's own CSV export, without the header, keyed by time text.
std::map<QString, QStringList> OwnCsvCells(const TExpressionObject& storm,
                                           const TOptions& options) {
    const Result<THyetograph> result = CalcHyetograph(storm, options);
    std::vector<TResultRowTexts> rows;
    for (const THyetographRow& row : result->rows)
        rows.push_back(ResultRowTexts(row, options, QLatin1Char('.')));
    QStringList lines =
        CsvText(rows, options, QLatin1Char('.')).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    lines.removeFirst();
    std::map<QString, QStringList> cells;
    for (const QString& line : lines)
        cells[line.section(QLatin1Char(','), 0, 0)] = line.split(QLatin1Char(','));
    return cells;
}

} // namespace

TEST(StormComparison, OneCsvTableAlignsStormsOfOtherDurationsStepsAndUnits) {
    // Minutes 0…10; 0, 5, 10, 12; 0, 2, 4, 6, 7. The second is kept in mm/h
    // and shown, as the others, in the table's mm/min.
    const std::vector<std::pair<TExpressionObject, int>> given = {
        {Storm(2, 10, 1), 1}, {Storm(5, 12, 5), 0}, {Storm(0.5, 7, 2), 1}};
    std::vector<TComparedStorm> storms;
    std::vector<std::map<QString, QStringList>> own;
    for (const auto& [storm, unit] : given) {
        storms.push_back(velmora::testing::CompareStorm(storm, WithUnit(unit)));
        own.push_back(OwnCsvCells(storm, WithUnit(1)));
    }
    const QStringList lines =
        ComparisonCsvText(storms, WithUnit(1), QLatin1Char('.')).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 1 + 12 + 1); // the header, minutes 0…10 and 12, the empty end
    EXPECT_EQ(lines[0], QStringLiteral("时间(min),P=2年 T=10分 r=0.4 (mm/min),P=5年 T=12分 r=0.4 "
                                       "(mm/min),P=0.5年 T=7分 r=0.4 (mm/min)"));
    EXPECT_EQ(lines.back(), QString());
    const QStringList minutes = {"00", "01", "02", "03", "04", "05",
                                 "06", "07", "08", "09", "10", "12"};
    for (qsizetype i = 0; i < minutes.size(); ++i) {
        SCOPED_TRACE(minutes[i].toStdString());
        const QStringList cells = lines[i + 1].split(QLatin1Char(','));
        ASSERT_EQ(cells.size(), 4);
        EXPECT_EQ(cells[0], minutes[i]);
        for (std::size_t s = 0; s < own.size(); ++s) {
            const auto row = own[s].find(minutes[i]);
            EXPECT_EQ(cells[static_cast<qsizetype>(s) + 1],
                      row == own[s].end() ? QString() : row->second[1]);
        }
    }
}

TEST(StormComparison, SwmmSeriesHoldTheSingleFilesNumbersAndAGageEach) {
    TOptions options = WithUnit(0);
    options.Int_TimeForamtidx = HoursAndMinutesFormat;
    const std::vector<TComparedStorm> storms = {
        velmora::testing::CompareStorm(Storm(2, 120, 5), options),
        velmora::testing::CompareStorm(Storm(10, 60, 1), options)};
    const QStringList lines = ComparisonSwmmText(storms, options).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], QStringLiteral("[TIMESERIES]"));
    EXPECT_EQ(lines[2], QStringLiteral(";;P=2年 T=120分 r=0.4"));
    // "00:05" and the intensity of the single SWMM file's second row.
    std::vector<TResultRowTexts> rows;
    for (const THyetographRow& row : storms[0].rows)
        rows.push_back(ResultRowTexts(row, options, QLatin1Char('.')));
    const QString single = SwmmText(rows).split(QStringLiteral("\r\n"))[3];
    EXPECT_EQ(lines[4].simplified(), QStringLiteral("P2_T120_r0.4 ") + single.simplified());
    EXPECT_TRUE(lines.contains(
        QStringLiteral(";;RG_P2_T120_r0.4 INTENSITY 00:05    1.0      TIMESERIES P2_T120_r0.4")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral(";;RG_P10_T60_r0.4 INTENSITY 00:01    1.0      TIMESERIES P10_T60_r0.4")));
    EXPECT_EQ(lines.count(QStringLiteral("[RAINGAGES]")), 1);
}

TEST(StormComparison, LegendsAddWhatTellsStormsOfTheSamePTAndRApart) {
    const auto storm = [](auto edit) {
        TExpressionObject s = Storm(2, 10, 1);
        edit(s);
        return s;
    };
    const auto same = [](TExpressionObject&) {};
    TOptions averaged = WithUnit(1);
    averaged.Bool_IntervalAverage = true;
    const struct {
        const char* name;
        std::vector<std::pair<TExpressionObject, TOptions>> storms;
        QStringList legends;
    } cases[] = {
        {"different design values",
         {{storm(same), WithUnit(1)},
          {storm([](TExpressionObject& s) { s.Storm_RepeatYear = 5; }), WithUnit(1)}},
         {"P=2年 T=10分 r=0.4", "P=5年 T=10分 r=0.4"}},
        {"steps",
         {{storm(same), WithUnit(1)},
          {storm([](TExpressionObject& s) { s.Storm_Step = 5; }), WithUnit(0)},
          {storm([](TExpressionObject& s) { s.Storm_Time = 20; }), WithUnit(1)}},
         {"P=2年 T=10分 r=0.4 步长1分", "P=2年 T=10分 r=0.4 步长5分", "P=2年 T=20分 r=0.4"}},
        {"formulas",
         {{storm(same), WithUnit(1)},
          {storm([](TExpressionObject& s) {
               s.a1 = 12;
               s.n = 0.7;
           }),
           WithUnit(1)}},
         {"P=2年 T=10分 r=0.4 A1=9.5981 n=0.656", "P=2年 T=10分 r=0.4 A1=12 n=0.7"}},
        {"logarithms",
         {{storm(same), WithUnit(1)},
          {storm([](TExpressionObject& s) { s.LG_LN = NaturalLogarithm; }), WithUnit(1)}},
         {"P=2年 T=10分 r=0.4 lg", "P=2年 T=10分 r=0.4 ln"}},
        {"interval means",
         {{storm([](TExpressionObject& s) { s.Storm_Step = 5; }), averaged},
          {storm([](TExpressionObject& s) { s.Storm_Step = 5; }), WithUnit(1)}},
         {"P=2年 T=10分 r=0.4 时段平均", "P=2年 T=10分 r=0.4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<TComparedStorm> storms;
        for (const auto& [s, options] : c.storms)
            storms.push_back(velmora::testing::CompareStorm(s, options));
        EXPECT_EQ(ComparedStormLegends(storms, QLatin1Char('.')), c.legends);
        // The CSV's headings (with the unit) and the SWMM text's notes are the same legends.
        QStringList headings = {QStringLiteral("时间(min)")};
        for (const QString& legend : c.legends)
            headings << legend + QStringLiteral(" (mm/min)");
        EXPECT_EQ(ComparisonCsvText(storms, WithUnit(1), QLatin1Char('.'))
                      .section(QStringLiteral("\r\n"), 0, 0),
                  headings.join(QLatin1Char(',')));
        const QString swmm = ComparisonSwmmText(storms, WithUnit(1));
        for (const QString& legend : c.legends)
            EXPECT_TRUE(swmm.contains(QStringLiteral(";;") + legend + QStringLiteral("\r\n")))
                << legend.toStdString();
    }
    EXPECT_EQ(ShownStormLegend(Storm(0.5, 60, 5), QLatin1Char(',')),
              QStringLiteral("当前雨型 P=0,5年 T=60分 r=0,4"));
}

namespace {

// The CIE L*a*b* coordinates of an sRGB colour 0xRRGGBB, and its relative luminance.
struct Lab {
    double l, a, b, luminance;
};

Lab LabOf(unsigned rgb) {
    const auto linear = [](unsigned channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double r = linear(rgb >> 16 & 0xFF), g = linear(rgb >> 8 & 0xFF), b = linear(rgb & 0xFF);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z)), y};
}

} // namespace

// Every compared line reads on the chart's white and differs from the others
// and from the storm shown.
TEST(StormComparison, ColoursReadOnWhiteAndStandApart) {
    std::vector<unsigned> colours(std::begin(ComparedStormColours), std::end(ComparedStormColours));
    for (const unsigned colour : colours)
        EXPECT_GE(1.05 / (LabOf(colour).luminance + 0.05), 3.0) << std::hex << colour;
    colours.push_back(ShownStormColour);
    for (std::size_t i = 0; i < colours.size(); ++i)
        for (std::size_t k = i + 1; k < colours.size(); ++k) {
            const Lab one = LabOf(colours[i]), other = LabOf(colours[k]);
            EXPECT_GE(std::hypot(one.l - other.l, one.a - other.a, one.b - other.b), 25)
                << std::hex << colours[i] << " " << colours[k];
        }
}
