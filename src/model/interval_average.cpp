#include "interval_average.h"

#include "rounding.h"

#include <cstdint>
#include <cstdlib>

namespace velmora {

namespace {

// With interval averaging: the minutes, as the table of a one-minute step
// holds them, are grouped into runs of one step from the first minute, and
// each run becomes one row. The row stands at the time of the run's first
// minute, so the rows are exactly one step apart; its intensity is the rain of
// the run divided by the step and its cumulative rainfall the total at the
// run's last minute. When the step does not divide the number of minutes, the
// last run is short: its missing minutes count as minutes without rain, so
// that row still stands for a whole step, the rows times the step still add up
// to the total and the last cumulative value is the total.
//
// With the displayed values (Bool_CalcByShow) it is the row's mean intensity
// that is rounded, and the cumulative column sums the rounded rows times the
// step, so the table adds up as shown. A step of one minute gives the rows of
// the usual computation either way.
class IntervalRows {
public:
    IntervalRows(const TOptions& options, std::int32_t step, THyetograph& result)
        : perHour_(options.Int_StormUnitidx == MillimetresPerHour),
          roundToShown_(options.Bool_CalcByShow), decimals_(EffectivePrecision(options)),
          step_(std::abs(std::int64_t{step})), result_(result) {}

    void collect(const THyetographTable& minutes) {
        result_.rows.reserve(minutes.size() / static_cast<std::size_t>(step_) + 1);
        firstTime_ = minutes.front().time;
        for (const THyetographRow& minute : minutes) {
            runSum_ += minute.intensity;
            if (++minutesInRun_ == step_)
                closeRun(minute.cumulative);
        }
        if (minutesInRun_ > 0)
            closeRun(minutes.back().cumulative);
        result_.overallRainfall = result_.rows.back().cumulative;
        // The mean of the rows: the total over the minutes the rows stand for.
        result_.averageIntensity =
            result_.overallRainfall /
            (static_cast<double>(result_.rows.size()) * static_cast<double>(step_));
        if (perHour_)
            result_.averageIntensity *= 60;
    }

private:
    void closeRun(double cumulative) {
        const double step = static_cast<double>(step_);
        double intensity = runSum_ / step;
        if (roundToShown_) {
            intensity = RoundToPrecision(decimals_, intensity);
            shownTotal_ += intensity * step;
            cumulative = perHour_ ? shownTotal_ / 60 : shownTotal_;
        }
        const double time = firstTime_ + static_cast<double>(result_.rows.size()) * step;
        result_.rows.push_back({time, intensity, cumulative});
        runSum_ = 0;
        minutesInRun_ = 0;
    }

    const bool perHour_;
    const bool roundToShown_;
    const int decimals_;
    const std::int64_t step_;
    THyetograph& result_;
    double firstTime_ = 0;
    double runSum_ = 0;     // the rain of the current run, in the intensity unit × min
    double shownTotal_ = 0; // the rounded rows × step so far, in the intensity unit × min
    std::int64_t minutesInRun_ = 0;
};

} // namespace

THyetograph IntervalAverageRows(const THyetographTable& minutes, const TOptions& options,
                                std::int32_t step) {
    THyetograph result;
    IntervalRows(options, step, result).collect(minutes);
    return result;
}

} // namespace velmora
