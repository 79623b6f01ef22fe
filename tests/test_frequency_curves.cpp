#include "error_reason.h"
#include "frequency_curves.h"
#include "intensity_tables.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::vector<double> Sample = {38.2, 45.1, 29.7, 52.3, 61.8, 33.4, 41.0, 47.6, 36.9,
                                    74.2, 30.5, 43.8, 55.1, 39.3, 48.7, 34.6, 66.4, 42.2,
                                    31.8, 50.9, 88.6, 37.5, 44.4, 58.0, 35.2};
const std::vector<double> Periods = {2, 3, 5, 10, 20, 30, 50, 100};

} // namespace

// The reference values come from scipy, in a throw-away script: mean and
// standard deviation (n − 1) by numpy; Cs by scipy.optimize.minimize_scalar
// (bounded, xatol 1e-12) of the RMS difference between
// scipy.stats.pearson3(Cs, mean, sd).isf(m/(n + 1)) and the m-th largest
// depth over Cs/Cv from 0.1 to 10 (a grid of 1000 confirmed the minimum);
// scipy.stats.gumbel_r and expon with their parameters by moments.
TEST(FrequencyCurves, TheThreeDistributionsGiveTheIndependentlyComputedDepths) {
    const Result<TDurationFrequency> frequency = AnalyseDuration(60, Sample, Periods);
    ASSERT_TRUE(frequency.ok()) << frequency.message().toStdString();
    EXPECT_EQ(frequency->duration, 60);
    EXPECT_EQ(frequency->sample.depths.front(), 88.6);
    EXPECT_DOUBLE_EQ(frequency->sample.exceedances.front(), 1 / 26.0);
    ExpectSignificant(frequency->sample.mean, 46.688, 10);
    ExpectSignificant(frequency->sample.cv, 0.3087112519, 9);
    ExpectSignificant(frequency->cs, 1.587404849, 6);
    ExpectSignificant(frequency->csOverCv(), 5.142037547, 6);

    const struct {
        Distribution distribution;
        std::vector<double> depths;
        double rms;
    } expected[] = {
        {Distribution::PearsonThree,
         {43.04944745, 49.1880891, 56.44949313, 65.85156974, 74.94884011, 80.17566048, 86.68625831,
          95.41653958},
         2.406893209},
        {Distribution::Gumbel,
         {44.3201528, 50.34597613, 57.05744351, 65.49063826, 73.57996114, 78.23354903, 84.05075986,
          91.89715003},
         2.885449687},
        {Distribution::Exponential,
         {42.26529627, 48.10930986, 55.47189624, 65.46230344, 75.45271064, 81.29672423, 88.65931061,
          98.64971781},
         2.635940159},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const TFrequencyCurve& curve = frequency->curves[i];
        SCOPED_TRACE(DistributionName(curve.distribution).toStdString());
        EXPECT_EQ(curve.distribution, expected[i].distribution);
        ASSERT_EQ(curve.depths.size(), Periods.size());
        for (std::size_t k = 0; k < Periods.size(); ++k)
            ExpectSignificant(curve.depths[k], expected[i].depths[k], 7);
        ExpectSignificant(curve.rmsDeviation, expected[i].rms, 6);
    }
}

TEST(FrequencyCurves, ASampleNoCurveCanBeDrawnFromIsRefused) {
    const struct {
        std::vector<double> depths;
        QString reason;
    } cases[] = {
        {std::vector<double>(Sample.begin(), Sample.begin() + 9),
         "历时 60 分钟只有 9 年的记录，至少需要 10 年"},
        {std::vector<double>(12, 30.5), "历时 60 分钟的雨量年年相同，画不出频率曲线"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorReason(AnalyseDuration(60, c.depths, Periods)),
                  "[without the error mark] " + c.reason);
}
