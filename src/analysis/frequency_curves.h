#pragma once

#include "frequency_sample.h"
#include "result.h"

#include <QString>

#include <array>
#include <vector>

namespace velmora {

enum class Distribution {
    PearsonThree, // mean and Cv by moments, Cs by the best fit to the points
    Gumbel,       // by moments
    Exponential,  // by moments
};
inline constexpr std::array<Distribution, 3> Distributions = {
    Distribution::PearsonThree, Distribution::Gumbel, Distribution::Exponential};

// The distribution's name as the tables show it ("皮尔逊III型分布", …).
QString DistributionName(Distribution distribution);

// The fewest years a frequency curve is drawn from.
inline constexpr std::size_t MinimumYears = 10;

// One distribution fitted to one duration's sample.
struct TFrequencyCurve {
    Distribution distribution = Distribution::PearsonThree;
    std::vector<double> depths; // mm, one per return period asked for
    double rmsDeviation = 0;    // mm, from the empirical points
};

// One duration's frequency analysis: its sample, Pearson type III's Cs, and
// the three curves in the order of Distributions.
struct TDurationFrequency {
    double duration = 0; // minutes
    TFrequencySample sample;
    double cs = 0;
    std::array<TFrequencyCurve, 3> curves;

    double csOverCv() const { return cs / sample.cv; }
};

// The three curves of one duration's annual maxima `depths`, each giving the
// depth for every one of `returnPeriods` (years, each above 1). Fails for
// fewer than MinimumYears depths and for depths that are all the same.
Result<TDurationFrequency> AnalyseDuration(double duration, std::vector<double> depths,
                                           const std::vector<double>& returnPeriods);

} // namespace velmora
