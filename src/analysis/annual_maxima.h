#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace velmora {

// A rain gauge's annual maxima: for each year, the largest depth of rain that
// fell in each duration.
struct TAnnualMaxima {
    std::vector<double> durations; // minutes, one per column
    std::vector<int> years;        // one per row
    // mm: [row][column]; nothing where the year has no value for that duration.
    std::vector<std::vector<std::optional<double>>> depths;
};

// The depths of column `duration`, the years without one left out.
std::vector<double> DepthsOfDuration(const TAnnualMaxima& records, std::size_t duration);

} // namespace velmora
