#include "hyetograph.h"

#include "design_values.h"
#include "interval_average.h"
#include "number_text.h"
#include "rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace velmora {

namespace {

// The minute m and the peak time r·T count as equal within the rounding error
// of the product r·T: with r = 0.4 and T = 120, minute 48 is the peak minute.
bool SameTime(double minute, double peak) {
    const double tolerance = std::max(std::min(std::abs(minute), std::abs(peak)) * 1e-16, 1e-16);
    return std::abs(minute - peak) <= tolerance;
}

// The number of the last minute, or why the duration is refused.
Result<std::int64_t> LastMinute(double duration) {
    if (Status valid = CheckDuration(duration); !valid)
        return valid.failure();
    return static_cast<std::int64_t>(std::trunc(duration));
}

// The storm's constants as the per-minute work needs them.
struct StormShape {
    double k; // A1 · (1 + C · log P)
    double b;
    double n;
    double ratio; // r
    double peak;  // r · T
    std::int64_t lastMinute;
};

// A run of consecutive minutes. For every minute of it that gets an
// intensity: the minute, the numerator K·((1 − n)·d + b) and the base d + b of
// the power, d being the scaled distance from the peak. The pow calls then run
// over the run in a loop of their own: mixed with the rest of the per-minute
// work they cost about half as much again.
struct MinuteRun {
    static constexpr std::int64_t Capacity = 256;
    std::int64_t minutes[Capacity];
    double numerators[Capacity];
    double values[Capacity]; // the bases, then the intensities in mm/min
    std::int64_t count = 0;
};

Failure IntensityOverflow(std::int64_t minute) {
    return Failure{QStringLiteral("第%1分钟的降雨强度计算溢出或不是有效数字").arg(minute)};
}

// With K above 0 an intensity turns negative only through n above 1 (far
// from the peak (1 − n)·d + b drops below 0) or through a negative b.
Failure NegativeIntensity(const StormShape& shape, std::int64_t minute) {
    const QString cause = shape.n > 1
                              ? QStringLiteral("参数n=%1大于1，离雨峰较远处(1-n)·t+b小于0")
                                    .arg(GeneralNumberText(shape.n))
                              : QStringLiteral("参数b=%1是负数").arg(GeneralNumberText(shape.b));
    return Failure{QStringLiteral("第%1分钟的降雨强度是负数：%2。请检查暴雨强度公式的参数")
                       .arg(minute)
                       .arg(cause)};
}

// Whether minute m lies before the peak; the peak minute itself counts as before.
bool BeforePeak(double minute, double peak) {
    return minute < peak || SameTime(minute, peak);
}

Status LayOutMinutes(const StormShape& shape, std::int64_t first, std::int64_t last,
                     MinuteRun& run) {
    const bool exponentIsWhole = std::trunc(shape.n + 1) == shape.n + 1;
    run.count = 0;
    for (std::int64_t m = first; m <= last; ++m) {
        const double minute = static_cast<double>(m);
        const double distance = std::abs(minute - shape.peak);
        const double d =
            BeforePeak(minute, shape.peak) ? distance / shape.ratio : distance / (1 - shape.ratio);
        if (!std::isfinite(d))
            return Failure{QStringLiteral("峰值比例r=%1，计算第%2分钟时除数为0")
                               .arg(GeneralNumberText(shape.ratio))
                               .arg(m)};
        if (shape.b == 0 && SameTime(minute, shape.peak))
            continue; // no finite intensity at the peak when b is 0: no row, nothing summed
        const double base = d + shape.b;
        if (base == 0)
            return Failure{QStringLiteral("计算第%1分钟时t+b=0，除数为0").arg(m)};
        if (base < 0 && !exponentIsWhole)
            return Failure{QStringLiteral("计算第%1分钟时t+b=%2为负数，不能取非整数次幂")
                               .arg(m)
                               .arg(GeneralNumberText(base))};
        run.minutes[run.count] = m;
        run.numerators[run.count] = shape.k * ((1 - shape.n) * d + shape.b);
        run.values[run.count] = base;
        ++run.count;
    }
    return {};
}

// A power that overflows would make the intensity 0 and the storm look dry
// (1e153/(t + 1.4e154)^2): it is a failure that names its minute. The check
// is a branch that is never taken in a sound storm, next to a pow call.
Status ComputeIntensities(const StormShape& shape, MinuteRun& run) {
    const double exponent = shape.n + 1;
    for (std::int64_t i = 0; i < run.count; ++i) {
        const double power = std::pow(run.values[i], exponent);
        if (!(std::abs(power) <= std::numeric_limits<double>::max())) [[unlikely]]
            return IntensityOverflow(run.minutes[i]);
        run.values[i] = run.numerators[i] / power;
    }
    // Only n above 1 or a negative b turns an intensity negative: a sound
    // formula is not looked through a second time.
    if (shape.n > 1 || shape.b < 0)
        for (std::int64_t i = 0; i < run.count; ++i)
            if (run.values[i] < 0)
                return NegativeIntensity(shape, run.minutes[i]);
    return {};
}

// Sums the intensities minute by minute in the selected unit and keeps every
// multiple of the step and the last minute as a row.
class RowCollector {
public:
    RowCollector(const StormShape& shape, const TOptions& options, std::int32_t step,
                 THyetograph& result)
        : shape_(shape), perHour_(options.Int_StormUnitidx == MillimetresPerHour),
          roundToShown_(options.Bool_CalcByShow), decimals_(EffectivePrecision(options)),
          step_(std::abs(std::int64_t{step})), result_(result) {
        result_.rows.reserve(static_cast<std::size_t>(shape.lastMinute / step_ + 2));
    }

    Status add(const MinuteRun& run) {
        for (std::int64_t i = 0; i < run.count; ++i) {
            const std::int64_t m = run.minutes[i];
            double intensity = run.values[i];
            if (perHour_)
                intensity *= 60;
            if (roundToShown_)
                intensity = RoundToPrecision(decimals_, intensity);
            sum_ += intensity;
            ++summedMinutes_;
            if (!std::isfinite(sum_))
                return IntensityOverflow(m);
            // The multiples of the step are stepped through rather than found
            // with a remainder, which costs about as much as the pow call.
            while (nextMultipleOfStep_ < m)
                nextMultipleOfStep_ += step_;
            if (m == nextMultipleOfStep_ || m == shape_.lastMinute)
                addRow(m, intensity);
        }
        return {};
    }

    Status finish() {
        if (result_.rows.empty())
            return Failure{QStringLiteral("没有计算出任何数据")};
        result_.overallRainfall = result_.rows.back().cumulative;
        // The mean of every per-minute intensity that was summed; with a step
        // of one minute that is the total divided by the number of rows.
        result_.averageIntensity = result_.overallRainfall / static_cast<double>(summedMinutes_);
        if (perHour_)
            result_.averageIntensity *= 60;
        return {};
    }

private:
    void addRow(std::int64_t m, double intensity) {
        // With b = 0 the peak minute is left out and the minutes before it move
        // one minute later, so that the rows still end at T.
        const double minute = static_cast<double>(m);
        const bool shifted = shape_.b == 0 && BeforePeak(minute, shape_.peak);
        result_.rows.push_back(
            {shifted ? minute + 1 : minute, intensity, perHour_ ? sum_ / 60 : sum_});
    }

    const StormShape& shape_;
    const bool perHour_;
    const bool roundToShown_;
    const int decimals_;
    const std::int64_t step_;
    THyetograph& result_;
    double sum_ = 0;
    std::int64_t summedMinutes_ = 0;
    std::int64_t nextMultipleOfStep_ = 0;
};

// The rows of every step-th minute and the last, computed minute by minute.
Result<THyetograph> StepRows(const StormShape& shape, const TOptions& options, std::int32_t step) {
    THyetograph result;
    RowCollector rows(shape, options, step, result);
    MinuteRun run;
    for (std::int64_t first = 0; first <= shape.lastMinute; first += MinuteRun::Capacity) {
        const std::int64_t last = std::min(first + MinuteRun::Capacity - 1, shape.lastMinute);
        if (Status laidOut = LayOutMinutes(shape, first, last, run); !laidOut)
            return laidOut.failure();
        if (Status computed = ComputeIntensities(shape, run); !computed)
            return computed.failure();
        if (Status added = rows.add(run); !added)
            return added.failure();
    }
    if (Status finished = rows.finish(); !finished)
        return finished.failure();
    return result;
}

} // namespace

// A negative K would make every intensity negative, and 1 + C · log P = 0 a
// storm without rain: both are refused, naming the values to look at.
Result<double> FormulaFactor(const TExpressionObject& storm) {
    if (storm.LG_LN != CommonLogarithm && storm.LG_LN != NaturalLogarithm)
        return 0.0;
    const double p = storm.Storm_RepeatYear;
    if (Status year = CheckRepeatYear(p); !year)
        return year.failure();
    const bool common = storm.LG_LN == CommonLogarithm;
    const double factor = 1 + storm.c * (common ? std::log10(p) : std::log(p));
    const double k = storm.a1 * factor;
    if (!std::isfinite(k))
        return Failure{QStringLiteral("公式系数A1·(1+C·lgP)的计算结果溢出或不是有效数字")};
    if (factor <= 0)
        return Failure{QStringLiteral("1+C·%1P=%2，不大于0（C=%3，P=%4年），降雨强度将是负数或0："
                                      "请检查参数C和重现期P")
                           .arg(common ? QStringLiteral("lg") : QStringLiteral("ln"),
                                GeneralNumberText(factor), GeneralNumberText(storm.c),
                                GeneralNumberText(p))};
    if (storm.a1 < 0)
        return Failure{QStringLiteral("参数A1=%1是负数，降雨强度将是负数：请检查参数A1")
                           .arg(GeneralNumberText(storm.a1))};
    return k;
}

Result<THyetograph> CalcHyetograph(const TExpressionObject& storm, const TOptions& options) {
    const Result<double> k = FormulaFactor(storm);
    if (!k)
        return k.failure();
    const Result<std::int64_t> lastMinute = LastMinute(storm.Storm_Time);
    if (!lastMinute)
        return lastMinute.failure();
    if (Status valid = CheckDesignValues(storm); !valid)
        return valid.failure();

    const StormShape shape{
        *k,         storm.b, storm.n, storm.Storm_Percent, storm.Storm_Percent * storm.Storm_Time,
        *lastMinute};
    if (!options.Bool_IntervalAverage)
        return StepRows(shape, options, storm.Storm_Step);
    // The means of the steps are taken from the exact minutes; what is shown
    // is rounded afterwards, row by row.
    TOptions unrounded = options;
    unrounded.Bool_CalcByShow = false;
    const Result<THyetograph> minutes = StepRows(shape, unrounded, 1);
    if (!minutes)
        return minutes.failure();
    return IntervalAverageRows(minutes->rows, options, storm.Storm_Step);
}

void StoreResults(TExpressionObject& storm, const Result<THyetograph>& result) {
    storm.Strom_Overall_Rainfall = result ? result->overallRainfall : 0;
    storm.Strom_Average_Rainfall_Intensity = result ? result->averageIntensity : 0;
}

} // namespace velmora
