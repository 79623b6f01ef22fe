#pragma once

#include "result.h"
#include "swmm_model_scan.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// The unit SWMM reads a gage's intensities in: in/hr in a model of US flow
// units (CFS, GPM, MGD, and CFS when FLOW_UNITS is missing), mm/hr in one of
// SI flow units (CMS, LPS, MLD). A storm written in the other unit is 25.4
// times too small or too large.
enum class SwmmRainUnit { MillimetresPerHour, InchesPerHour };

// "mm/hr" or "in/hr", as SWMM names them.
QString SwmmRainUnitText(SwmmRainUnit unit);

namespace swmm {

// A time as SWMM reads an option's or a gage's interval: decimal hours, or
// hours:minutes:seconds with the minutes and seconds optional. In minutes.
std::optional<double> TimeMinutes(QByteArrayView text);

// What the editor needs of a model's [OPTIONS].
struct ModelOptions {
    SwmmRainUnit rainUnit = SwmmRainUnit::InchesPerHour;
    QString flowUnits; // as the model gives them, or "CFS" when it gives none
    bool flowUnitsGiven = false;
    // END_DATE/END_TIME less START_DATE/START_TIME in minutes, with SWMM's
    // defaults for what is missing; nothing when a value does not read.
    std::optional<double> simulationMinutes;
};

// Reads the option lines one by one, as SWMM does: a later line of a key
// counts, and keys and values are matched as SWMM matches them.
class OptionsReader {
public:
    // `tokens` of a line of [OPTIONS].
    void read(const LineTokens& tokens, qsizetype lineNumber);
    // The options, or the failure of a FLOW_UNITS that does not read: a
    // storm written in a guessed unit could be 25 times wrong.
    Result<ModelOptions> options() const;

private:
    struct Value {
        QByteArray text;
        qsizetype lineNumber = 0;
    };
    std::optional<Value> flowUnits_, startDate_, startTime_, endDate_, endTime_;
};

} // namespace swmm

} // namespace velmora
