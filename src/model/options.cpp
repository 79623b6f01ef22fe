#include "options.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr double ExactConversionMarkerLimit = 166.0;
constexpr double ExactConversionFactor = 0.006;
} // namespace

bool IsExactQIConversion(double qiRatio) {
    return qiRatio < ExactConversionMarkerLimit;
}

double ConvertIToQ(double x, double qiRatio) {
    if (IsExactQIConversion(qiRatio))
        return x / ExactConversionFactor;
    return x * qiRatio;
}

double ConvertQToI(double x, double qiRatio) {
    if (IsExactQIConversion(qiRatio))
        return x * ExactConversionFactor;
    return x / qiRatio;
}

TOptions WithSwmmUnits(TOptions options) {
    options.Int_TimeForamtidx = HoursAndMinutesFormat;
    options.Int_StormUnitidx = MillimetresPerHour;
    return options;
}

int EffectivePrecision(const TOptions& options) {
    return std::clamp(options.Int_Precision, 0, 99);
}

} // namespace velmora
