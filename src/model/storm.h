#pragma once

#include <cstdint>

namespace velmora {

// The codes of the formula form and of the logarithm, as the storm file holds
// them. The underlying type is the field's, so that any other value a storm
// file holds is kept (and neither converted nor taken).
enum FormulaForm : std::int32_t {
    IntensityForm = 0, // F_type: i = A1(1 + C lg P)/(t + b)^n
    FlowForm = 1,      // q = 166.7A1(1 + C lg P)/(t + b)^n
};
enum Logarithm : std::uint8_t {
    CommonLogarithm = 0,  // LG_LN: lg P
    NaturalLogarithm = 1, // ln P
};

// The storm record: a storm-intensity formula, the design values and the two
// results of the last computation. A new record has every field 0.
struct TExpressionObject {
    FormulaForm F_type = IntensityForm; // formula form: IntensityForm or FlowForm
    double a1 = 0;                      // A1 of the intensity form, mm/min basis
    double a1_167 = 0;                  // the flow form's coefficient "166.7A1"
    double c = 0;                       // C
    double b = 0;                       // b, minutes
    double n = 0;                       // n
    Logarithm LG_LN = CommonLogarithm;  // logarithm of P: CommonLogarithm or NaturalLogarithm
    double Storm_RepeatYear = 0;        // return period P, years
    double Storm_Time = 0;              // duration T, minutes
    std::int32_t Storm_Step = 0;        // step of the output table, minutes
    double Storm_Percent = 0;           // peak-position ratio r, 0 < r < 1
    double Strom_Average_Rainfall_Intensity = 0; // result, in the unit of the computation
    double Strom_Overall_Rainfall = 0;           // result: total depth H, mm
};

// The storm shown when the program starts. Its flow-form coefficient uses the
// fixed factor 0.006 whatever q-i factor is set.
TExpressionObject DefaultStorm();

// Derives the coefficient of the form the storm was not entered in from its
// master coefficient, with the q-i factor in force: F_type 0 sets a1_167 from
// a1, F_type 1 sets a1 from a1_167, any other form leaves both.
void DeriveDependentCoefficient(TExpressionObject& storm, double qiRatio);

} // namespace velmora
