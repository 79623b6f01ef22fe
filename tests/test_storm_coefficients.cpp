#include "hyetograph.h"
#include "options.h"
#include "storm.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(DefaultStorm, HoldsTheStartingValuesWithTheFixedFactor) {
    const TExpressionObject storm = DefaultStorm();
    EXPECT_EQ(storm.F_type, 0);
    EXPECT_EQ(storm.a1, 9.5981);
    EXPECT_NEAR(storm.a1_167, 1599.683333, 1e-6); // 9.5981 / 0.006, whatever the factor
    EXPECT_EQ(storm.c, 0.846);
    EXPECT_EQ(storm.b, 7.0);
    EXPECT_EQ(storm.n, 0.656);
    EXPECT_EQ(storm.LG_LN, 0);
    EXPECT_EQ(storm.Storm_RepeatYear, 2.0);
    EXPECT_EQ(storm.Storm_Time, 120.0);
    EXPECT_EQ(storm.Storm_Step, 1);
    EXPECT_EQ(storm.Storm_Percent, 0.4);
    EXPECT_EQ(storm.Strom_Average_Rainfall_Intensity, 0.0);
    EXPECT_EQ(storm.Strom_Overall_Rainfall, 0.0);
}

TEST(QIConversion, ExactConversionBelow166AndMultiplicationAbove) {
    EXPECT_NEAR(ConvertIToQ(1, 0.006), 1000.0 / 6.0, 1e-12);
    EXPECT_NEAR(ConvertQToI(166.67, 0.006), 1.00002, 1e-12);
    EXPECT_NEAR(ConvertIToQ(2, 166.67), 333.34, 1e-12);
    EXPECT_NEAR(ConvertQToI(333.34, 166.67), 2.0, 1e-12);
    EXPECT_NEAR(ConvertIToQ(9.5981, 167), 1602.8827, 1e-9);
    EXPECT_NEAR(ConvertQToI(1000, 165.9), 6.0, 1e-12); // any factor below 166 is the marker
    EXPECT_EQ(QIConversionRatios.back(), 0.006);
}

TEST(DeriveDependentCoefficient, TheEnteredFormIsTheMaster) {
    TExpressionObject intensityForm = DefaultStorm();
    DeriveDependentCoefficient(intensityForm, 167);
    EXPECT_EQ(intensityForm.a1, 9.5981);
    EXPECT_NEAR(intensityForm.a1_167, 1602.8827, 1e-9);
    DeriveDependentCoefficient(intensityForm, 166.7);
    EXPECT_EQ(intensityForm.a1, 9.5981); // the hyetograph does not change
    EXPECT_NEAR(intensityForm.a1_167, 1600.00327, 1e-9);

    TExpressionObject flowForm = DefaultStorm();
    flowForm.F_type = FlowForm;
    flowForm.a1_167 = 1602.8827;
    DeriveDependentCoefficient(flowForm, 167);
    EXPECT_NEAR(flowForm.a1, 9.5981, 1e-12);
    DeriveDependentCoefficient(flowForm, 0.006);
    EXPECT_NEAR(flowForm.a1, 9.6172962, 1e-12);
    EXPECT_EQ(flowForm.a1_167, 1602.8827);

    TExpressionObject unknownForm = DefaultStorm();
    unknownForm.F_type = static_cast<FormulaForm>(2); // only a storm file holds it
    DeriveDependentCoefficient(unknownForm, 167);
    EXPECT_EQ(unknownForm.a1, 9.5981);
    EXPECT_EQ(unknownForm.a1_167, 9.5981 / 0.006);
}

TEST(DeriveDependentCoefficient, AFlowFormStormGivesTheDefaultHyetograph) {
    TExpressionObject flowForm = DefaultStorm();
    flowForm.F_type = FlowForm;
    flowForm.a1_167 = 1602.8827;
    DeriveDependentCoefficient(flowForm, 167);
    const auto flow = CalcHyetograph(flowForm, TOptions{});
    const auto intensity = CalcHyetograph(DefaultStorm(), TOptions{});
    ASSERT_EQ(flow->rows.size(), intensity->rows.size());
    EXPECT_NEAR(flow->rows[48].intensity, intensity->rows[48].intensity, 1e-12);
    EXPECT_NEAR(flow->overallRainfall, intensity->overallRainfall, 1e-11);
}
