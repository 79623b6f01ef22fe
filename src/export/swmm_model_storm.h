#pragma once

#include "hyetograph.h"
#include "options.h"
#include "storm.h"
#include "storm_comparison.h"

#include <QString>

#include <limits>

namespace velmora {

// A storm to be written into a SWMM model, as it was computed: the window's
// current storm, a compared storm, or each storm of velmora-cli's list.
struct TSwmmStorm {
    TExpressionObject storm; // with its totals: H, and the step its rows stand for
    THyetographTable rows;
    int rowsUnitIdx = MillimetresPerHour; // the unit `rows` hold their intensities in
    bool intervalAverage = false;         // the rows are the means of their steps
    QString gageName;                     // empty: "RG_" and the series name
};

// The session's storm and table with the options they were computed with.
TSwmmStorm SwmmStormOf(const TExpressionObject& storm, const THyetographTable& rows,
                       const TOptions& options);
TSwmmStorm SwmmStormOf(const TComparedStorm& compared);

// The step of the storm's rows in minutes, as SWMM's gage holds each value.
int SwmmStepMinutes(const TSwmmStorm& storm);

// Row `row`'s intensity in mm/h.
double MillimetresPerHourAt(const TSwmmStorm& storm, std::size_t row);

// The minute after the start at which SWMM's gage gives the storm's last rain:
// the last row's time and its step.
double SwmmStormEndMinute(const TSwmmStorm& storm);

// The rain in mm that a SWMM gage reading the rows as intensities at the
// storm's step gives up to `untilMinute`. SWMM holds each value for one step
// from its time, or from the end of the value before it when that overlaps
// it (the last row of a table whose step does not divide the duration), so
// rows that are not the means of their steps give a depth other than H.
double SwmmGageDepth(const TSwmmStorm& storm,
                     double untilMinute = std::numeric_limits<double>::infinity());

} // namespace velmora
