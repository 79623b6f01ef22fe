#include "frequency_curves.h"

#include "moment_distributions.h"
#include "number_text.h"
#include "pearson_three.h"

#include <cmath>

namespace velmora {

namespace {

double CurveDepth(Distribution distribution, const TFrequencySample& sample, double cs,
                  double exceedance) {
    switch (distribution) {
    case Distribution::PearsonThree:
        return PearsonThreeDepth(sample.mean, sample.cv, cs, exceedance);
    case Distribution::Gumbel:
        return GumbelDepth(sample.mean, sample.standardDeviation, exceedance);
    case Distribution::Exponential:
        return ExponentialDepth(sample.mean, sample.standardDeviation, exceedance);
    }
    return NAN;
}

TFrequencyCurve Curve(Distribution distribution, const TFrequencySample& sample, double cs,
                      const std::vector<double>& returnPeriods) {
    TFrequencyCurve curve{distribution, {}, 0};
    for (const double period : returnPeriods)
        curve.depths.push_back(CurveDepth(distribution, sample, cs, 1 / period));
    double squares = 0;
    for (std::size_t m = 0; m < sample.depths.size(); ++m) {
        const double difference =
            CurveDepth(distribution, sample, cs, sample.exceedances[m]) - sample.depths[m];
        squares += difference * difference;
    }
    curve.rmsDeviation = std::sqrt(squares / static_cast<double>(sample.depths.size()));
    return curve;
}

bool AllFinite(const TFrequencyCurve& curve) {
    for (const double depth : curve.depths)
        if (!std::isfinite(depth))
            return false;
    return std::isfinite(curve.rmsDeviation);
}

} // namespace

QString DistributionName(Distribution distribution) {
    switch (distribution) {
    case Distribution::PearsonThree:
        return QStringLiteral("皮尔逊III型分布");
    case Distribution::Gumbel:
        return QStringLiteral("耿贝尔分布");
    case Distribution::Exponential:
        return QStringLiteral("指数分布");
    }
    return {};
}

Result<TDurationFrequency> AnalyseDuration(double duration, std::vector<double> depths,
                                           const std::vector<double>& returnPeriods) {
    const QString name =
        QStringLiteral("历时 %1 分钟").arg(GeneralNumberText(duration, QLatin1Char('.')));
    if (depths.size() < MinimumYears)
        return Failure{QStringLiteral("%1只有 %2 年的记录，至少需要 %3 年")
                           .arg(name)
                           .arg(depths.size())
                           .arg(MinimumYears)};
    TDurationFrequency frequency;
    frequency.duration = duration;
    frequency.sample = MakeFrequencySample(std::move(depths));
    if (!(frequency.sample.standardDeviation > 0))
        return Failure{QStringLiteral("%1的雨量年年相同，画不出频率曲线").arg(name)};
    frequency.cs = BestFitSkewness(frequency.sample);
    for (std::size_t i = 0; i < Distributions.size(); ++i) {
        frequency.curves[i] =
            Curve(Distributions[i], frequency.sample, frequency.cs, returnPeriods);
        if (!AllFinite(frequency.curves[i]))
            return Failure::Error(
                QStringLiteral("%1的%2算不出数值").arg(name, DistributionName(Distributions[i])));
    }
    return frequency;
}

} // namespace velmora
