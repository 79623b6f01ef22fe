#include "frequency_sample.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace velmora {

TFrequencySample MakeFrequencySample(std::vector<double> depths) {
    TFrequencySample sample;
    std::sort(depths.begin(), depths.end(), std::greater<>());
    const double n = static_cast<double>(depths.size());
    for (std::size_t m = 1; m <= depths.size(); ++m)
        sample.exceedances.push_back(static_cast<double>(m) / (n + 1));
    sample.mean = std::accumulate(depths.begin(), depths.end(), 0.0) / n;
    double squares = 0;
    for (const double depth : depths)
        squares += (depth - sample.mean) * (depth - sample.mean);
    sample.standardDeviation = std::sqrt(squares / (n - 1));
    sample.cv = sample.standardDeviation / sample.mean;
    sample.depths = std::move(depths);
    return sample;
}

} // namespace velmora
