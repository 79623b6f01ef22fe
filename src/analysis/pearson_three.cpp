#include "pearson_three.h"

#include "math_policy.h"

#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/tools/minima.hpp>

#include <cmath>
#include <cstdint>

namespace velmora {

namespace {

// Brent's minimiser to about 1e-7 of Cs: the curve's depths move far less.
constexpr int SkewnessBits = 24;
constexpr std::uintmax_t MaximumIterations = 200;

double RmsDeviation(const TFrequencySample& sample, double cs) {
    double squares = 0;
    for (std::size_t m = 0; m < sample.depths.size(); ++m) {
        const double curve = PearsonThreeDepth(sample.mean, sample.cv, cs, sample.exceedances[m]);
        squares += (curve - sample.depths[m]) * (curve - sample.depths[m]);
    }
    return std::sqrt(squares / static_cast<double>(sample.depths.size()));
}

} // namespace

double PearsonThreeDepth(double mean, double cv, double cs, double exceedance) {
    // A gamma variable of shape α = 4/Cs² has mean α and standard deviation
    // √α = 2/Cs; the frequency factor is its standardised quantile, with the
    // upper tail's probability `exceedance`.
    const double shape = 4 / (cs * cs);
    const double gamma = boost::math::gamma_q_inv(shape, exceedance, NoExceptionPolicy());
    const double factor = cs / 2 * gamma - 2 / cs;
    return mean * (1 + cv * factor);
}

double BestFitSkewness(const TFrequencySample& sample) {
    std::uintmax_t iterations = MaximumIterations;
    const auto best = boost::math::tools::brent_find_minima(
        [&](double cs) { return RmsDeviation(sample, cs); }, LowestCsOverCv * sample.cv,
        HighestCsOverCv * sample.cv, SkewnessBits, iterations);
    return best.first;
}

} // namespace velmora
