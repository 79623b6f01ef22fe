#include "swmm_model_storm.h"

#include <algorithm>
#include <cstdlib>

namespace velmora {

TSwmmStorm SwmmStormOf(const TExpressionObject& storm, const THyetographTable& rows,
                       const TOptions& options) {
    return {storm, rows,
            options.Int_StormUnitidx == MillimetresPerHour ? MillimetresPerHour
                                                           : MillimetresPerMinute,
            options.Bool_IntervalAverage, QString()};
}

TSwmmStorm SwmmStormOf(const TComparedStorm& compared) {
    return {compared.storm, compared.rows, compared.stormUnit, compared.intervalAverage, QString()};
}

int SwmmStepMinutes(const TSwmmStorm& storm) {
    // The computation takes a negative step by its size.
    return std::abs(storm.storm.Storm_Step);
}

double MillimetresPerHourAt(const TSwmmStorm& storm, std::size_t row) {
    const double intensity = storm.rows[row].intensity;
    return storm.rowsUnitIdx == MillimetresPerHour ? intensity : intensity * 60;
}

double SwmmStormEndMinute(const TSwmmStorm& storm) {
    return storm.rows.empty() ? 0 : storm.rows.back().time + SwmmStepMinutes(storm);
}

double SwmmGageDepth(const TSwmmStorm& storm, double untilMinute) {
    const double step = SwmmStepMinutes(storm);
    double depth = 0;
    double busyUntil = -std::numeric_limits<double>::infinity();
    for (std::size_t row = 0; row < storm.rows.size(); ++row) {
        const double intensity = MillimetresPerHourAt(storm, row);
        if (intensity == 0)
            continue; // SWMM passes over dry values
        const double time = storm.rows[row].time;
        const double from = std::min(std::max(time, busyUntil), untilMinute);
        const double to = std::min(time + step, untilMinute);
        if (to > from)
            depth += intensity * (to - from) / 60;
        busyUntil = std::max(busyUntil, time + step);
    }
    return depth;
}

} // namespace velmora
