#pragma once

#include <vector>

namespace velmora {

// The unit of the intensities of a table as it is read; the table holds mm/min.
enum class IntensityUnit {
    MillimetresPerMinute,
    MillimetresPerHour,
    // q in L/(s·hm²), converted with the q-i factor in force (ConvertQToI).
    LitresPerSecondHectare,
};

// Rain intensities by duration and return period: the table a storm-intensity
// formula is fitted to. Every cell is filled and positive, no duration or
// period appears twice.
struct TIntensityTable {
    std::vector<double> durations;                // t, minutes: one per row
    std::vector<double> periods;                  // P, years: one per column
    std::vector<std::vector<double>> intensities; // mm/min: [row][column]
};

} // namespace velmora
