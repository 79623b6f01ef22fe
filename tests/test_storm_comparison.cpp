#include "compared_storms.h"
#include "csv_text.h"
#include "storm_comparison.h"
#include "swmm_text.h"

#include <QStringList>

#include <gtest/gtest.h>

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
    options.Int_StormUnitidx = unit;
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
    options.Int_TimeForamtidx = 0;
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
