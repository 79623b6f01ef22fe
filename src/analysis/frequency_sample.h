#pragma once

#include <vector>

namespace velmora {

// One duration's annual maxima, ready for frequency curves: the depths from
// the largest down, each with its empirical exceedance probability, and the
// sample's moments.
struct TFrequencySample {
    std::vector<double> depths;      // mm, largest first
    std::vector<double> exceedances; // m/(n + 1) for the m-th largest
    double mean = 0;                 // mm
    double standardDeviation = 0;    // mm, with n − 1 in the denominator
    double cv = 0;                   // standardDeviation / mean
};

TFrequencySample MakeFrequencySample(std::vector<double> depths);

} // namespace velmora
