#include "time_axis_ticks.h"

#include "options.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr double Tolerance = 1e-9;

// The labels every `step` minutes from `first` to `last`, or none when two of
// them would stand closer than `labelPixels`.
bool LabelEvery(double step, const QVector<double>& slotTimes, double slotPixels,
                double labelPixels, TimeAxisTicks& ticks) {
    const double first = slotTimes.constFirst();
    const double last = slotTimes.constLast();
    ticks = TimeAxisTicks{step, {}, {}};
    const auto from = static_cast<long long>(std::ceil(first / step - Tolerance));
    for (long long k = from; double(k) * step <= last + Tolerance; ++k) {
        const double minute = double(k) * step;
        const double slot = SlotCoordinate(slotTimes, minute);
        if (!ticks.positions.isEmpty() &&
            (slot - ticks.positions.constLast()) * slotPixels < labelPixels - Tolerance)
            return false;
        ticks.minutes.append(minute);
        ticks.positions.append(slot);
    }
    return true;
}

// The end of the storm is always labelled; the step's label before it gives
// way when the two would overlap, unless it is the only one.
void EndWith(double last, double lastSlot, double slotPixels, double labelPixels,
             TimeAxisTicks& ticks) {
    if (!ticks.minutes.isEmpty() && ticks.minutes.constLast() >= last - Tolerance)
        return;
    if (ticks.minutes.size() > 1 &&
        (lastSlot - ticks.positions.constLast()) * slotPixels < labelPixels - Tolerance) {
        ticks.minutes.removeLast();
        ticks.positions.removeLast();
    }
    ticks.minutes.append(last);
    ticks.positions.append(lastSlot);
}

} // namespace

QVector<double> SlotTimesCovering(QVector<double> times, double lastMinute) {
    if (times.isEmpty())
        times.append(0);
    const double step = times.size() >= 2 ? times[1] - times[0] : 1;
    if (step <= 0)
        return times;
    while (times.constLast() + step < lastMinute)
        times.append(times.constLast() + step);
    if (times.constLast() < lastMinute)
        times.append(lastMinute);
    return times;
}

double SlotCoordinate(const QVector<double>& slotTimes, double minute) {
    if (slotTimes.isEmpty())
        return minute;
    const auto after = std::upper_bound(slotTimes.cbegin(), slotTimes.cend(), minute);
    if (after == slotTimes.cbegin())
        return 0;
    if (after == slotTimes.cend())
        return static_cast<double>(slotTimes.size() - 1);
    const auto slot = static_cast<double>(after - slotTimes.cbegin() - 1);
    const double from = *(after - 1);
    return slot + (minute - from) / (*after - from);
}

TimeAxisTicks ChooseTimeAxisTicks(const QVector<double>& slotTimes, double slotPixels,
                                  double labelPixels, bool hoursAndMinutes) {
    if (slotTimes.isEmpty())
        return {};
    const double first = slotTimes.constFirst();
    const double last = slotTimes.constLast();
    const auto lastSlot = static_cast<double>(slotTimes.size() - 1);
    // No labels more often than the rows: the table has nothing between them.
    const double ownStep = slotTimes.size() >= 2 ? slotTimes[1] - slotTimes[0] : 0;
    TimeAxisTicks ticks;
    if (slotPixels > 0 && std::isfinite(labelPixels)) {
        for (const double step : RoundTimeSteps) {
            if (step < ownStep - Tolerance || (hoursAndMinutes && std::fmod(step, 60) != 0))
                continue;
            if (LabelEvery(step, slotTimes, slotPixels, labelPixels, ticks)) {
                EndWith(last, lastSlot, slotPixels, labelPixels, ticks);
                return ticks;
            }
        }
    }
    // Not even the coarsest step fits: the start and the end.
    ticks = TimeAxisTicks{0, {first}, {0}};
    if (last > first)
        EndWith(last, lastSlot, slotPixels, labelPixels, ticks);
    return ticks;
}

QString TimeAxisTitle(TimeFormat timeFormat) {
    return timeFormat == HoursAndMinutesFormat ? QStringLiteral("降雨历时(H:M)")
                                               : QStringLiteral("降雨历时(min)");
}

} // namespace velmora
