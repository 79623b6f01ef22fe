#pragma once

#include "result.h"
#include "swmm_model_options.h"
#include "swmm_model_scan.h"
#include "swmm_model_storm.h"

#include <QByteArray>
#include <QString>

// The entries the model editor writes for a storm, and how it tells its own
// entries from the model's other ones.
namespace velmora::swmm {

// The names a storm is written under: the series as velmora-cli's --compare
// names it ("P2_T120_r0.4"), the gage "RG_" and that or the storm's own name,
// both made safe.
struct StormNames {
    QByteArray series;
    QByteArray gage;
};
Result<StormNames> NamesOf(const TSwmmStorm& storm);

// The storm's [TIMESERIES] lines, one per row: its name, no date, the time in
// hours:minutes from the start of the simulation and the intensity in
// `unit`. The rows are those of the SWMM rainfall file of the same options,
// but their values are written from the unrounded rows with seven decimals,
// not with the decimals shown: rounded to half a unit of the seventh decimal,
// even the 100,001 one-minute rows of the longest storm add up to within
// 0.0001 mm (or in) of H, below the 0.001 that SWMM prints, whatever the
// table shows.
QByteArray SeriesLines(const TSwmmStorm& storm, const StormNames& names, SwmmRainUnit unit,
                       QByteArrayView lineEnd);

// The storm's [RAINGAGES] line: intensities at the storm's step, snow catch
// factor 1.0, read from its series.
QByteArray GageLine(const TSwmmStorm& storm, const StormNames& names, QByteArrayView lineEnd);

// A new section's header and the column comments SWMM writes under it.
QByteArray SectionHead(Section section, QByteArrayView lineEnd);

// Which entries are ours. A [TIMESERIES] line is of our form when it holds
// the name, a time in hours:minutes and a number, nothing else: what this
// editor and velmora-cli's --compare write. A series of another form (read
// from a FILE, with dates, several pairs on a line) was made by someone else
// and is never replaced. A [RAINGAGES] line is ours when it reads our series,
// by its name, as intensities from TIMESERIES; a gage of that name reading
// anything else is someone else's.
bool IsOurSeriesLine(const LineTokens& tokens);
bool IsOurGageLine(const LineTokens& tokens, QByteArrayView series);

// Whether a [RAINGAGES] line reads as a gage: name, format (INTENSITY, VOLUME
// or CUMULATIVE), interval, snow catch factor, then TIMESERIES and a series
// or FILE and its file name, station and unit. A line that does not is
// refused rather than guessed at: its name could be one the editor writes.
bool IsReadableGageLine(const LineTokens& tokens);

} // namespace velmora::swmm
