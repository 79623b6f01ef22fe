#pragma once

#include "result.h"
#include "swmm_model_options.h"
#include "swmm_model_storm.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

// How storms are written into a model.
struct TSwmmModelChoices {
    // Entries of a storm's names that this program wrote before are replaced
    // where they stand. Without it such a name fails as FailureKind::NameTaken
    // naming every one, so that the window can ask and velmora-cli can ask
    // for --force. Entries of those names that someone else made are never
    // replaced.
    bool replace = false;
    // Every subcatchment reads the new gage; only when one storm is written.
    bool assignGage = false;
};

// What was written for one storm.
struct TSwmmSeriesWritten {
    QString seriesName;
    QString gageName;
    bool seriesReplaced = false; // else added
    bool gageReplaced = false;
    double modelDepth = 0; // mm the gage gives, as SWMM holds each value for its step
};

// What writing storms into a model did.
struct TSwmmModelReport {
    std::vector<TSwmmSeriesWritten> series; // in the order of the storms
    SwmmRainUnit rainUnit = SwmmRainUnit::MillimetresPerHour;
    QString flowUnits; // the model's FLOW_UNITS that decided the unit ("CFS" when missing)
    bool flowUnitsGiven = true;
    int subcatchmentsAssigned = 0;
    QStringList warnings; // what would spoil a model run, in Chinese
};

// The report as lines for either front to print: each storm's series and gage,
// the unit, the subcatchments pointed at the gage, then the warnings.
QStringList SwmmModelReportLines(const TSwmmModelReport& report);

struct TSwmmModelEdit {
    QByteArray bytes;
    TSwmmModelReport report;
};

// `model`, the bytes of a SWMM 5 input file, with each storm written into it
// as a [TIMESERIES] series and a [RAINGAGES] gage. New entries go at the end
// of their section, a missing section at the end of the file; every other
// byte stays, comments, blanks, line ends (a last line without one gets the
// file's) and encoding alike. Refused: no storms, a file that is not a SWMM
// input file (a zero byte, or no section header SWMM knows), a FLOW_UNITS or
// a [RAINGAGES] line that does not read, names that clash (see
// TSwmmModelChoices and IsOurSeriesLine) or break SWMM's rules.
Result<TSwmmModelEdit> EditSwmmModel(const QByteArray& model, const std::vector<TSwmmStorm>& storms,
                                     const TSwmmModelChoices& choices);

} // namespace velmora
