#include "error_reason.h"
#include "intensity_tables.h"
#include "period_formula_fit.h"
#include "qstring_printer.h"
#include "total_formula_fit.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing;

TEST(FormulaFit, ATableMadeFromAFormulaGivesItsCoefficientsBack) {
    const TTotalFormula formulas[] = {
        {12.345, 0.678, 9.87, 0.7654, CommonLogarithm},
        {7.8, 0.55, 3.2, 0.61, NaturalLogarithm},
        {25.1, 1.2, 31.5, 0.93, CommonLogarithm},
    };
    for (const TTotalFormula& formula : formulas) {
        SCOPED_TRACE(formula.a1);
        const TIntensityTable table = TableOfFormula(formula);
        const Result<TTotalFormula> total = FitTotalFormula(table, formula.logOfP);
        ASSERT_TRUE(total.ok()) << total.message().toStdString();
        ExpectSignificant(total->a1, formula.a1, 6);
        ExpectSignificant(total->c, formula.c, 6);
        ExpectSignificant(total->b, formula.b, 6);
        ExpectSignificant(total->n, formula.n, 6);
        EXPECT_EQ(total->logOfP, formula.logOfP);

        // Each column alone is A/(t + b)^n with A = A1·(1 + C·log P).
        const Result<std::vector<TPeriodFormula>> periods = FitPeriodFormulas(table);
        ASSERT_TRUE(periods.ok()) << periods.message().toStdString();
        ASSERT_EQ(periods->size(), table.periods.size());
        for (std::size_t i = 0; i < table.periods.size(); ++i) {
            const TPeriodFormula& period = (*periods)[i];
            EXPECT_EQ(period.period, table.periods[i]);
            ExpectSignificant(period.a, FormulaIntensity(formula, 0 - formula.b, period.period), 6);
            ExpectSignificant(period.b, formula.b, 6);
            ExpectSignificant(period.n, formula.n, 6);
        }
    }
}

// The reference values: scipy.optimize.least_squares (Trust Region
// Reflective, ftol = xtol = gtol = 1e-15) on the same table, from 45 starts
// over A1, b and n, the lowest minimum kept; in a throw-away script, not in
// this repository.
TEST(FormulaFit, ANoisyTableGivesTheLeastSquaresCoefficients) {
    const TIntensityTable table = PatternedTable(0.03, 1);
    const struct {
        std::uint8_t logOfP;
        double a1, c, b, n;
    } cases[] = {
        {CommonLogarithm, 10.18553376, 0.8352478932, 11.60917685, 0.711812044},
        {NaturalLogarithm, 10.1855339, 0.3627435499, 11.60917696, 0.7118120465},
    };
    for (const auto& c : cases) {
        const Result<TTotalFormula> total = FitTotalFormula(table, c.logOfP);
        ASSERT_TRUE(total.ok()) << total.message().toStdString();
        ExpectSignificant(total->a1, c.a1, 7);
        ExpectSignificant(total->c, c.c, 7);
        ExpectSignificant(total->b, c.b, 7);
        ExpectSignificant(total->n, c.n, 7);
    }
    const double periods[][3] = {
        {11.8415329, 10.02505504, 0.701295088},   {16.44744821, 14.14570916, 0.7384577566},
        {16.67855775, 11.1312441, 0.7226008516},  {18.75542447, 12.45693727, 0.7096814685},
        {24.63734544, 12.39840245, 0.7450692083}, {20.13855591, 10.91305903, 0.6842310218},
        {32.03264938, 13.7685808, 0.7674794622},  {21.80678627, 9.643698103, 0.6642574226},
    };
    const Result<std::vector<TPeriodFormula>> fitted = FitPeriodFormulas(table);
    ASSERT_TRUE(fitted.ok()) << fitted.message().toStdString();
    for (std::size_t i = 0; i < std::size(periods); ++i) {
        ExpectSignificant((*fitted)[i].a, periods[i][0], 6);
        ExpectSignificant((*fitted)[i].b, periods[i][1], 6);
        ExpectSignificant((*fitted)[i].n, periods[i][2], 6);
    }
}

TEST(FormulaFit, ATableNoAdmissibleFormulaFitsIsRefused) {
    const auto columns = [](TIntensityTable table, std::size_t count) {
        table.periods.resize(count);
        for (std::vector<double>& row : table.intensities)
            row.resize(count);
        return table;
    };
    const struct {
        const char* what;
        TIntensityTable table;
        QString total;
        QString periods; // empty: the formulas of the periods are fitted
    } cases[] = {
        {"one period", columns(TableOfFormula({10, 0.8, 10, 0.7, CommonLogarithm}), 1),
         "表中只有 1 个重现期，总公式至少需要 2 个", ""},
        {"best b below 0", TableOfFormula({10, 0.8, -2, 0.7, CommonLogarithm}),
         "总公式：拟合结果落在边界 b = 0 上（不受此限时 b = -2）",
         "重现期 2 年的公式：拟合结果落在边界 b = 0 上（不受此限时 b = -2）"},
        {"b of 0", TableOfFormula({10, 0.8, 0, 0.7, CommonLogarithm}),
         "总公式：拟合结果落在边界 b = 0 上", "重现期 2 年的公式：拟合结果落在边界 b = 0 上"},
        {"n above 1", TableOfFormula({10, 0.8, 5, 1.25, CommonLogarithm}),
         "总公式：拟合结果落在边界 n = 1 上（不受此限时 n = 1.25）",
         "重现期 2 年的公式：拟合结果落在边界 n = 1 上（不受此限时 n = 1.25）"},
        {"intensity rising with the duration", TableOfFormula({1, 0.8, 5, -0.3, CommonLogarithm}),
         "总公式：拟合结果落在边界 n = 0 上（不受此限时 n = -0.3）",
         "重现期 2 年的公式：拟合结果落在边界 n = 0 上（不受此限时 n = -0.3）"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Result<TTotalFormula> total = FitTotalFormula(c.table, CommonLogarithm);
        const Result<std::vector<TPeriodFormula>> periods = FitPeriodFormulas(c.table);
        EXPECT_EQ(ErrorReason(total), "[without the error mark] " + c.total);
        EXPECT_EQ(ErrorReason(periods),
                  c.periods.isEmpty() ? QString() : "[without the error mark] " + c.periods);
    }
}
