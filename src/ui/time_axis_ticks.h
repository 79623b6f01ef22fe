#pragma once

#include "options.h"

#include <QString>
#include <QVector>

#include <array>

namespace velmora {

// The times of the axis slots: `times` (the rows of the storm shown, one slot
// each), continued at their step (one minute for fewer than two) until the
// comparison's last minute `lastMinute`, which is the last slot, as a storm's
// last minute is its last row.
QVector<double> SlotTimesCovering(QVector<double> times, double lastMinute);

// Where `minute` lies on the slots of `slotTimes` (increasing): slot i at
// their time i, between two slots in proportion, past the last at the last.
double SlotCoordinate(const QVector<double>& slotTimes, double minute);

// The steps the time axis is labelled at, in minutes: 1, 2, 5, 10, 15, 20
// and 30 minutes, 1, 2, 3, 6, 12 and 24 hours, then days, for storms of
// weeks. In hours and minutes only the whole hours are used.
inline constexpr std::array<double, 19> RoundTimeSteps = {
    1, 2, 5, 10, 15, 20, 30, 60, 120, 180, 360, 720, 1440, 2880, 7200, 14400, 28800, 43200, 72000};

// The labels of the time axis: the times they stand at and where those lie
// on the axis's slots.
struct TimeAxisTicks {
    double stepMinutes = 0;    // between two labels; 0 when only the ends are labelled
    QVector<double> minutes;   // increasing; the last is the end of the axis
    QVector<double> positions; // the slot coordinate of each time
};

// Labels every `step` minutes from the first slot's time, where `step` is
// the smallest of RoundTimeSteps (not below the slots' own step; whole hours
// with `hoursAndMinutes`) that keeps any two labels `labelPixels` apart when
// a slot is `slotPixels` wide, and labels the last slot's time, the end of the
// storm, too; a labelled step closer than `labelPixels` to the end gives way
// to it. When no step fits, only the two ends are labelled. `slotTimes` are
// the times of the axis's slots, increasing (see SlotTimesCovering).
TimeAxisTicks ChooseTimeAxisTicks(const QVector<double>& slotTimes, double slotPixels,
                                  double labelPixels, bool hoursAndMinutes);

// The title of the time axis: the unit its labels are in.
QString TimeAxisTitle(TimeFormat timeFormat); // "降雨历时(min)" or "降雨历时(H:M)"

} // namespace velmora
