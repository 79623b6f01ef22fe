#include "error_reason.h"
#include "idf_check.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

#include <functional>

using namespace velmora;

// The lines as printed, worked out independently: a Python script outside the
// repository computes the Chicago intensity of every minute 0…T in floating
// point, the heaviest run of d of them and A·d/(d + b)^n, and rounds the
// depths to 4 and the difference to 2 decimals, halves away from zero.
TEST(IdfCheck, TheHeaviestRunsOfTheStormAgainstTheFormula) {
    const QString header = QStringLiteral("历时(min),雨型最大雨量(mm),公式雨量(mm),相差(%)");
    const struct {
        const char* what;
        std::function<void(TExpressionObject&)> edit;
        QStringList lines; // after the header
    } cases[] = {
        {"the default storm",
         [](TExpressionObject&) {},
         {"5,11.9535,11.7962,1.33", "10,18.9632,18.7733,1.01", "15,23.9795,23.7781,0.85",
          "20,27.9252,27.7186,0.75", "30,34.0251,33.8140,0.62", "45,40.7857,40.5723,0.53",
          "60,46.0245,45.8101,0.47", "90,54.1208,53.9058,0.40", "120,60.4437,60.2284,0.36"}},
        {"the flow form, 3 hours at a step of 5",
         [](TExpressionObject& s) {
             s.F_type = FlowForm;
             s.a1_167 = 1602.8827;
             DeriveDependentCoefficient(s, 167);
             s.Storm_Time = 180;
             s.Storm_Step = 5;
         },
         {"5,11.9535,11.7962,1.33", "10,18.9632,18.7733,1.01", "15,23.9795,23.7781,0.85",
          "20,27.9252,27.7186,0.75", "30,34.0251,33.8140,0.62", "45,40.7857,40.5723,0.53",
          "60,46.0245,45.8101,0.47", "90,54.1208,53.9058,0.40", "120,60.4437,60.2284,0.36",
          "150,65.7237,65.5083,0.33", "180,70.3061,70.0906,0.31"}},
        {"ln P",
         [](TExpressionObject& s) {
             s.LG_LN = NaturalLogarithm;
             s.Storm_Time = 60;
         },
         {"5,15.1139,14.9151,1.33", "10,23.9770,23.7369,1.01", "15,30.3196,30.0650,0.85",
          "20,35.3085,35.0473,0.75", "30,43.0212,42.7543,0.62", "45,51.5693,51.2995,0.53",
          "60,58.1932,57.9222,0.47"}},
        // A storm file's unknown logarithm: the computation's factor 0, no rain either way.
        {"an unknown logarithm",
         [](TExpressionObject& s) {
             s.LG_LN = static_cast<Logarithm>(2); // only a storm file holds it
             s.Storm_Time = 30;
         },
         {"5,0.0000,0.0000,0.00", "10,0.0000,0.0000,0.00", "15,0.0000,0.0000,0.00",
          "20,0.0000,0.0000,0.00", "30,0.0000,0.0000,0.00"}},
        {"no minutes to check", [](TExpressionObject& s) { s.Storm_Time = 0; }, {}},
    };
    for (const auto& c : cases) {
        TExpressionObject storm = DefaultStorm();
        c.edit(storm);
        const auto rows = IdfCheckTable(storm);
        ASSERT_TRUE(rows.ok()) << c.what << ": " << rows.message().toStdString();
        EXPECT_EQ(IdfCheckLines(*rows, QLatin1Char(',')), QStringList{header} + c.lines) << c.what;
    }

    TExpressionObject bad = DefaultStorm();
    bad.Storm_RepeatYear = 0;
    EXPECT_EQ(ErrorReason(IdfCheckTable(bad)),
              QStringLiteral("重现期P=0年，无法取对数（P必须大于0）"));
}
