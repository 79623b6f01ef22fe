#include "fit_accuracy.h"
#include "intensity_tables.h"
#include "period_formula_fit.h"
#include "total_formula_fit.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing;

namespace {

void ExpectDeviation(const TDeviation& actual, double rms, double percent, bool rmsWithin,
                     bool percentWithin) {
    ExpectSignificant(actual.rms, rms, 6);
    ExpectSignificant(actual.relativePercent, percent, 6);
    EXPECT_EQ(actual.rmsWithinLimit, rmsWithin);
    EXPECT_EQ(actual.relativeWithinLimit, percentWithin);
}

} // namespace

// The deviations of the least-squares formula from patterned tables, worked
// out with numpy from the coefficients scipy.optimize.least_squares found (see
// test_formula_fit). Scaling a table scales σ and leaves σ/mean as it is, so
// the four tables pass and fail each limit in every combination.
TEST(FitAccuracy, TheDeviationsAreMarkedAgainstBothLimits) {
    const struct {
        const char* what;
        double amplitude, scale;
        double rms2, percent2;         // P = 2
        double rmsRange, percentRange; // 2 ≤ P ≤ 20
        double largest;                // at t = 15, P = 50
        bool rmsWithin, percentWithin;
    } cases[] = {
        {"passes", 0.03, 1, 0.0197832971, 2.352665878, 0.02799464558, 2.562158214, -0.07974642512,
         true, true},
        {"fails both", 0.12, 1, 0.07910748117, 9.186374006, 0.1119821969, 10.19766274,
         -0.3191077888, false, false},
        {"fails the relative limit", 0.12, 0.2, 0.01582149624, 9.18637401, 0.02239643934,
         10.19766272, -0.06382155722, true, false},
        {"fails the absolute limit", 0.03, 5, 5 * 0.0197832971, 2.352665878, 5 * 0.02799464558,
         2.562158214, 5 * -0.07974642512, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TIntensityTable table = PatternedTable(c.amplitude, c.scale);
        const TFitAccuracy accuracy = FitAccuracy(table, *FitTotalFormula(table, CommonLogarithm));
        ASSERT_EQ(accuracy.periods.size(), 8u);
        EXPECT_EQ(accuracy.periods[0].period, 2);
        ExpectDeviation(accuracy.periods[0].deviation, c.rms2, c.percent2, c.rmsWithin,
                        c.percentWithin);
        ASSERT_TRUE(accuracy.standardRange);
        ExpectDeviation(*accuracy.standardRange, c.rmsRange, c.percentRange, c.rmsWithin,
                        c.percentWithin);
        EXPECT_EQ(accuracy.largest.duration, 15);
        EXPECT_EQ(accuracy.largest.period, 50);
        ExpectSignificant(accuracy.largest.deviation, c.largest, 6);
    }
}

TEST(FitAccuracy, TheFormulasOfThePeriodsAreMeasuredColumnByColumn) {
    const TIntensityTable table = PatternedTable(0.03, 1);
    const TFitAccuracy accuracy = FitAccuracy(table, *FitPeriodFormulas(table));
    ExpectDeviation(accuracy.periods[7].deviation, 0.02592734391, 1.455729001, true, true);
    ExpectDeviation(*accuracy.standardRange, 0.01688130709, 1.545030442, true, true);
    EXPECT_EQ(accuracy.largest.duration, 180);
    EXPECT_EQ(accuracy.largest.period, 100);
    ExpectSignificant(accuracy.largest.deviation, 0.04055082085, 6);

    // No period from 2 to 20 years: no such summary.
    TIntensityTable longPeriods = table;
    longPeriods.periods = {30, 50, 100, 200, 300, 500, 1000, 2000};
    EXPECT_FALSE(FitAccuracy(longPeriods, *FitPeriodFormulas(longPeriods)).standardRange);
}
