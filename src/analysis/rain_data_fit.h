#pragma once

// The formula worked out from rain data as both fronts ask for it: the text
// of a table of intensities or of annual maxima, read and fitted with the
// person's choices, and the storm that takes the fitted formula.

#include "formula_from_records.h"
#include "intensity_formulas.h"
#include "intensity_table.h"
#include "result.h"
#include "storm.h"
#include "table_fit.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace velmora {

enum class RainDataKind {
    IntensityTable, // durations down, return periods across, intensities
    AnnualMaxima,   // years down, durations across, the year's largest depths
};

// Which distribution's table gives the formula of annual maxima: one of them,
// in the order of Distributions, or the one the analysis proposes.
enum class DistributionChoice { PearsonThree, Gumbel, Exponential, Proposed };

struct TRainDataFitChoices {
    RainDataKind kind = RainDataKind::IntensityTable;
    IntensityUnit unit = IntensityUnit::MillimetresPerMinute; // of a table of intensities
    double qiRatio = 167;                                     // converts q
    std::uint8_t logOfP = CommonLogarithm;
    std::vector<double> returnPeriods = DefaultReturnPeriods; // of the tables made from maxima
    DistributionChoice distribution = DistributionChoice::Proposed;
};

struct TRainDataFit {
    TIntensityTable table; // the table the formulas were fitted to
    TTableFit fit;
    // From annual maxima: the three distributions, and which of them gave
    // `table` (an index into records->formulas).
    std::optional<TRecordsAnalysis> records;
    std::size_t distribution = 0;
};

// Reads `text` as `choices.kind` says and fits the formulas. Fails with the
// reader's message naming the cell, the analysis's reason, or, for a
// distribution chosen whose table could not be fitted, its name and why.
Result<TRainDataFit> FitRainData(const QString& text, const TRainDataFitChoices& choices);

// A table of rain data is a few kilobytes; a file beyond this is not one.
inline constexpr qint64 MaxRainDataFileBytes = 4 << 20;

// The text of the rain-data file at `path` (DecodeTableFile).
Result<QString> ReadRainDataFile(const QString& path);

// `storm` with `formula` as its formula, in the intensity form, the flow
// form's coefficient derived with `qiRatio`; its design values stay.
TExpressionObject StormWithFormula(TExpressionObject storm, const TTotalFormula& formula,
                                   double qiRatio);

} // namespace velmora
