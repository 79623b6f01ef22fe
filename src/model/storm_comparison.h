#pragma once

#include "hyetograph.h"
#include "options.h"
#include "result.h"
#include "storm.h"

#include <QChar>
#include <QString>

#include <vector>

namespace velmora {

// The most storms compared on one chart: one colour of the palette each.
inline constexpr std::size_t MaxComparedStorms = 8;

// A storm kept for comparison: as it was computed, with the options of that
// moment (step, interval means, the unit of its table).
struct TComparedStorm {
    TExpressionObject storm; // with its totals
    int stormUnitIdx = 1;    // the unit `rows` hold their intensities in
    THyetographTable rows;

    // The intensity of row `row` in the unit `unitIdx` (0 = mm/h, else mm/min).
    double intensityIn(std::size_t row, int unitIdx) const;
};

// Computes `storm` with `options` for a comparison; a storm that cannot be
// computed fails with the computation's message.
Result<TComparedStorm> CompareStorm(TExpressionObject storm, const TOptions& options);

// "P=2年 T=120分 r=0.4": the storm's design values in the general number format.
QString ComparedStormLegend(const TExpressionObject& storm, QChar decimalSeparator);

// The comparison as one CSV table: the time column, every minute at which any
// storm has a row, in order and in the time format of `options`; then one
// intensity column per storm, headed by its legend, in the unit and decimals
// of `options`, empty where that storm has no row. Lines end with CR LF.
QString ComparisonCsvText(const std::vector<TComparedStorm>& storms, const TOptions& options,
                          QChar decimalSeparator);

// The name of a storm's series in a SWMM project: "P2_T120_r0.4".
QString SwmmSeriesName(const TExpressionObject& storm);

// The comparison as a part of a SWMM project: a [TIMESERIES] section with one
// series per storm (times in hours:minutes from 00:00, intensities in mm/h
// with the decimals of `options`, "." as separator: the numbers of the single
// SWMM file), and a commented [RAINGAGES] line for each series that reads it
// as intensities at the storm's step. Lines end with CR LF.
QString ComparisonSwmmText(const std::vector<TComparedStorm>& storms, const TOptions& options);

} // namespace velmora
