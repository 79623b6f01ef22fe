#pragma once

#include "frequency_sample.h"

namespace velmora {

// The depth exceeded with probability `exceedance` by the Pearson type III
// distribution with mean, Cv and Cs > 0: mean·(1 + Cv·Φ), Φ the frequency
// factor of a gamma distribution of shape 4/Cs².
double PearsonThreeDepth(double mean, double cv, double cs, double exceedance);

// The lowest and highest Cs/Cv looked at: rain maxima are skewed to the right,
// and engineers' curves lie at 2 to 6.
inline constexpr double LowestCsOverCv = 0.1;
inline constexpr double HighestCsOverCv = 10;

// Cs of the Pearson type III curve, with the sample's mean and Cv, that lies
// closest to the sample's empirical points (the least root-mean-square
// difference in depth), as hydrologists fit the curve by eye; found by
// Boost.Math's Brent minimiser between the Cs/Cv above.
double BestFitSkewness(const TFrequencySample& sample);

} // namespace velmora
