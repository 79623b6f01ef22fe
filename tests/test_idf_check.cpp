#include "error_reason.h"
#include "idf_check.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace velmora;

namespace {

// The check worked out again from the formula alone: the Chicago intensity
// of every minute 0…T, the heaviest run of d of them, and A·d/(d + b)^n.
TIdfCheckRow ExpectedRow(double a1, double c, double b, double n, bool ln, double p, int t,
                         double r, int d) {
    const double a = a1 * (1 + c * (ln ? std::log(p) : std::log10(p)));
    std::vector<double> minutes;
    for (int m = 0; m <= t; ++m) {
        const double peak = r * t;
        const double x = m <= peak ? (peak - m) / r : (m - peak) / (1 - r);
        minutes.push_back(a * ((1 - n) * x + b) / std::pow(x + b, n + 1));
    }
    double heaviest = 0;
    for (std::size_t first = 0; first + d <= minutes.size(); ++first) {
        double sum = 0;
        for (int i = 0; i < d; ++i)
            sum += minutes[first + i];
        heaviest = std::max(heaviest, sum);
    }
    const double formula = a * d / std::pow(d + b, n);
    return {double(d), heaviest, formula, 100 * (heaviest - formula) / formula};
}

} // namespace

TEST(IdfCheck, TheHeaviestRunsOfTheStormAgainstTheFormula) {
    const struct {
        const char* what;
        int form; // 0 intensity, 1 flow
        bool ln;
        int t, step;
        std::vector<int> durations;
    } cases[] = {
        {"default", 0, false, 120, 1, {5, 10, 15, 20, 30, 45, 60, 90, 120}},
        {"flow form", 1, false, 180, 1, {5, 10, 15, 20, 30, 45, 60, 90, 120, 150, 180}},
        {"natural log", 0, true, 60, 1, {5, 10, 15, 20, 30, 45, 60}},
        {"step 5", 0, false, 100, 5, {5, 10, 15, 20, 30, 45, 60, 90, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TExpressionObject storm = DefaultStorm();
        storm.Storm_Time = c.t;
        storm.Storm_Step = c.step;
        storm.LG_LN = c.ln ? 1 : 0;
        if (c.form == 1) {
            storm.F_type = 1;
            storm.a1_167 = 1602.8827;
            DeriveDependentCoefficient(storm, 167);
        }
        const auto rows = IdfCheckTable(storm);
        ASSERT_TRUE(rows.ok()) << rows.message().toStdString();
        ASSERT_EQ(rows->size(), c.durations.size());
        for (std::size_t i = 0; i < rows->size(); ++i) {
            const TIdfCheckRow expected =
                ExpectedRow(storm.a1, 0.846, 7, 0.656, c.ln, 2, c.t, 0.4, c.durations[i]);
            EXPECT_EQ((*rows)[i].duration, expected.duration);
            EXPECT_NEAR((*rows)[i].stormDepth, expected.stormDepth, 1e-9);
            EXPECT_NEAR((*rows)[i].formulaDepth, expected.formulaDepth, 1e-9);
            EXPECT_NEAR((*rows)[i].differencePercent, expected.differencePercent, 1e-9);
        }
    }
    // The default storm's lines as printed.
    const QStringList lines = IdfCheckLines(*IdfCheckTable(DefaultStorm()), QLatin1Char(','));
    EXPECT_EQ(lines.front(), QStringLiteral("历时(min),雨型最大雨量(mm),公式雨量(mm),相差(%)"));
    EXPECT_EQ(lines[1], QStringLiteral("5,11.9535,11.7962,1.33"));
    EXPECT_EQ(lines.back(), QStringLiteral("120,60.4437,60.2284,0.36"));

    TExpressionObject bad = DefaultStorm();
    bad.Storm_RepeatYear = 0;
    EXPECT_EQ(ErrorReason(IdfCheckTable(bad)),
              QStringLiteral("重现期P=0年，无法取对数（P必须大于0）"));
}
