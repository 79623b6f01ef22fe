#include "error_reason.h"
#include "formula_from_records.h"
#include "intensity_tables.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing;

namespace {

TAnnualMaxima Records() {
    return ThirtyYearsOfMaxima();
}

double StandardRangeDeviation(const TDistributionFormula& formula) {
    return formula.fit->totalAccuracy.standardRange->rms;
}

} // namespace

TEST(FormulaFromRecords, EachDistributionGivesATableAndFormulasAndTheClosestIsProposed) {
    const Result<TRecordsAnalysis> analysis =
        AnalyseAnnualMaxima(Records(), DefaultReturnPeriods, CommonLogarithm);
    ASSERT_TRUE(analysis.ok()) << analysis.message().toStdString();
    ASSERT_EQ(analysis->durations.size(), 11u);
    ASSERT_EQ(analysis->formulas.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const TDistributionFormula& formula = analysis->formulas[i];
        SCOPED_TRACE(DistributionName(formula.distribution).toStdString());
        EXPECT_EQ(formula.distribution, Distributions[i]);
        ASSERT_TRUE(formula.fit.ok()) << formula.fit.message().toStdString();
        EXPECT_EQ(formula.table.durations, UsualDurations);
        EXPECT_EQ(formula.table.periods, DefaultReturnPeriods);
        // The cell of 45 minutes and 10 years is that curve's depth over 45.
        EXPECT_DOUBLE_EQ(formula.table.intensities[5][3],
                         analysis->durations[5].curves[i].depths[3] / 45);
        EXPECT_NEAR(formula.fit->total.n, 0.72, 0.05);
        EXPECT_LE(StandardRangeDeviation(analysis->formulas[analysis->proposed]),
                  StandardRangeDeviation(formula));
    }
}

TEST(FormulaFromRecords, BadPeriodsAndShortRecordsAreRefused) {
    TAnnualMaxima gaps = Records();
    for (std::size_t k = 9; k < gaps.depths.size(); ++k)
        gaps.depths[k][2].reset();
    const struct {
        TAnnualMaxima records;
        std::vector<double> periods;
        QString reason;
    } cases[] = {
        {Records(), {2}, "只给了 1 个重现期，总公式至少需要 2 个"},
        {Records(), {1, 2, 5}, "重现期 1 年不大于 1 年：年最大值只能推算 1 年以上的重现期"},
        {Records(), {2, 5, 2}, "重现期 2 年给了两次"},
        {gaps, DefaultReturnPeriods, "历时 15 分钟只有 9 年的记录，至少需要 10 年"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorReason(AnalyseAnnualMaxima(c.records, c.periods, CommonLogarithm)),
                  "[without the error mark] " + c.reason);
}
