#include "hyetograph.h"

#include "number_text.h"
#include "rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace velmora {

namespace {

// The minute m and the peak time r·T count as equal within the rounding error
// of the product r·T: with r = 0.4 and T = 120, minute 48 is the peak minute.
bool SameTime(double minute, double peak) {
    const double tolerance = std::max(std::min(std::abs(minute), std::abs(peak)) * 1e-16, 1e-16);
    return std::abs(minute - peak) <= tolerance;
}

// K = A1 · (1 + C · log P), or 0 for a logarithm choice other than lg and ln.
std::optional<double> FormulaFactor(const TExpressionObject& storm, QString& failure) {
    if (storm.LG_LN != 0 && storm.LG_LN != 1)
        return 0.0;
    const double p = storm.Storm_RepeatYear;
    if (!(p > 0)) {
        failure = QStringLiteral("重现期P=%1年，无法取对数（P必须大于0）").arg(GeneralNumberText(p));
        return std::nullopt;
    }
    const double logP = storm.LG_LN == 0 ? std::log10(p) : std::log(p);
    const double k = storm.a1 * (1 + storm.c * logP);
    if (!std::isfinite(k)) {
        failure = QStringLiteral("公式系数A1·(1+C·lgP)的计算结果溢出或不是有效数字");
        return std::nullopt;
    }
    return k;
}

// The number of the last minute, or nothing when the duration is refused.
std::optional<std::int64_t> LastMinute(double duration, QString& failure) {
    if (std::isnan(duration)) {
        failure = QStringLiteral("降雨历时T不是有效的数字");
        return std::nullopt;
    }
    if (duration >= MaxStormMinutes + 1.0) {
        failure = QStringLiteral("降雨历时T=%1分钟超过了可计算的上限%2分钟")
                      .arg(GeneralNumberText(duration))
                      .arg(MaxStormMinutes);
        return std::nullopt;
    }
    if (duration <= -1.0) {
        failure = QStringLiteral("降雨历时T=%1分钟小于0，没有可计算的数据")
                      .arg(GeneralNumberText(duration));
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::trunc(duration));
}

THyetographResult Failed(QString message) {
    THyetographResult result;
    result.failure = std::move(message);
    return result;
}

} // namespace

THyetographResult CalcHyetograph(const TExpressionObject& storm, const TOptions& options) {
    QString failure;
    const auto k = FormulaFactor(storm, failure);
    if (!k)
        return Failed(failure);
    const auto lastMinute = LastMinute(storm.Storm_Time, failure);
    if (!lastMinute)
        return Failed(failure);

    const double b = storm.b;
    const double exponent = storm.n + 1;
    const double ratio = storm.Storm_Percent;
    const double peak = ratio * storm.Storm_Time;
    const bool perHour = options.Int_StormUnitidx == 0;
    const bool roundToShown = options.Bool_CalcByShow;
    const int decimals = EffectivePrecision(options);
    const std::int32_t step = storm.Storm_Step;
    const bool exponentIsWhole = std::trunc(exponent) == exponent;

    THyetographResult result;
    if (step != 0)
        result.rows.reserve(static_cast<std::size_t>(*lastMinute / std::abs(std::int64_t{step}) + 2));

    double sum = 0;
    std::int64_t summedMinutes = 0;
    for (std::int64_t m = 0; m <= *lastMinute; ++m) {
        const double minute = static_cast<double>(m);
        const bool atPeak = SameTime(minute, peak);
        const bool beforePeak = atPeak || minute < peak;
        const double d = beforePeak ? std::abs(minute - peak) / ratio
                                    : std::abs(minute - peak) / (1 - ratio);
        if (!std::isfinite(d))
            return Failed(QStringLiteral("峰值比例r=%1，计算第%2分钟时除数为0")
                              .arg(GeneralNumberText(ratio))
                              .arg(m));
        if (b == 0 && atPeak)
            continue; // the peak minute has no finite intensity when b is 0

        const double base = d + b;
        if (base == 0)
            return Failed(QStringLiteral("计算第%1分钟时t+b=0，除数为0").arg(m));
        if (base < 0 && !exponentIsWhole)
            return Failed(QStringLiteral("计算第%1分钟时t+b=%2为负数，不能取非整数次幂")
                              .arg(m)
                              .arg(GeneralNumberText(base)));

        double intensity = *k * ((1 - storm.n) * d + b) / std::pow(base, exponent);
        if (perHour)
            intensity *= 60;
        if (roundToShown)
            intensity = RoundToPrecision(decimals, intensity);
        sum += intensity;
        ++summedMinutes;
        if (!std::isfinite(intensity) || !std::isfinite(sum))
            return Failed(QStringLiteral("第%1分钟的降雨强度计算溢出或不是有效数字").arg(m));

        if (step == 0)
            return Failed(QStringLiteral("计算步长为0，无法按步长取出数据"));
        if (m % step == 0 || m == *lastMinute) {
            // With b = 0 the peak minute is left out and the minutes before it
            // move one minute later, so the rows still end at T.
            const double time = (b == 0 && beforePeak) ? minute + 1 : minute;
            result.rows.push_back({time, intensity, perHour ? sum / 60 : sum});
        }
    }
    if (result.rows.empty())
        return Failed(QStringLiteral("没有计算出任何数据（降雨历时T=%1分钟）")
                          .arg(GeneralNumberText(storm.Storm_Time)));

    result.overallRainfall = result.rows.back().cumulative;
    // The mean of every per-minute intensity that was summed; with a step of
    // one minute that is the total divided by the number of rows.
    result.averageIntensity = result.overallRainfall / static_cast<double>(summedMinutes);
    if (perHour)
        result.averageIntensity *= 60;
    return result;
}

void StoreResults(TExpressionObject& storm, const THyetographResult& result) {
    storm.Strom_Overall_Rainfall = result.succeeded() ? result.overallRainfall : 0;
    storm.Strom_Average_Rainfall_Intensity = result.succeeded() ? result.averageIntensity : 0;
}

} // namespace velmora
