#include "storm.h"

#include "options.h"

namespace velmora {

TExpressionObject DefaultStorm() {
    TExpressionObject storm;
    storm.F_type = IntensityForm;
    storm.a1 = 9.5981;
    storm.a1_167 = 9.5981 / 0.006;
    storm.c = 0.846;
    storm.b = 7.0;
    storm.n = 0.656;
    storm.LG_LN = CommonLogarithm;
    storm.Storm_RepeatYear = 2;
    storm.Storm_Time = 120;
    storm.Storm_Step = 1;
    storm.Storm_Percent = 0.4;
    return storm;
}

void DeriveDependentCoefficient(TExpressionObject& storm, double qiRatio) {
    if (storm.F_type == IntensityForm)
        storm.a1_167 = ConvertIToQ(storm.a1, qiRatio);
    else if (storm.F_type == FlowForm)
        storm.a1 = ConvertQToI(storm.a1_167, qiRatio);
}

} // namespace velmora
