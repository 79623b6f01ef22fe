#include "annual_maxima.h"

namespace velmora {

std::vector<double> DepthsOfDuration(const TAnnualMaxima& records, std::size_t duration) {
    std::vector<double> depths;
    for (const std::vector<std::optional<double>>& year : records.depths)
        if (year[duration])
            depths.push_back(*year[duration]);
    return depths;
}

} // namespace velmora
