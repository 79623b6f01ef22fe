#include "display_text.h"

#include "number_text.h"

#include <cstdlib>

namespace velmora {

namespace {

QString TwoDigits(long long value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QString TimeText(double minutes, TimeFormat timeFormat) {
    const auto whole = static_cast<long long>(minutes);
    const QString sign = whole < 0 ? QStringLiteral("-") : QString();
    const long long magnitude = std::llabs(whole);
    if (timeFormat == HoursAndMinutesFormat)
        return sign + TwoDigits(magnitude / 60) + QLatin1Char(':') + TwoDigits(magnitude % 60);
    return sign + TwoDigits(magnitude);
}

QString TimeUnitText(TimeFormat timeFormat) {
    return timeFormat == HoursAndMinutesFormat ? QStringLiteral("H:M") : QStringLiteral("min");
}

QString TimeColumnHeading(TimeFormat timeFormat) {
    return QStringLiteral("时间(%1)").arg(TimeUnitText(timeFormat));
}

QString IntensityHeading(StormUnit stormUnit) {
    return QStringLiteral("降雨强度(%1)").arg(ComputedIntensityUnit(stormUnit));
}

QString ComputedIntensityUnit(StormUnit stormUnit) {
    return stormUnit == MillimetresPerHour ? QStringLiteral("mm/h") : QStringLiteral("mm/min");
}

TResultRowTexts ResultRowTexts(const THyetographRow& row, const TOptions& options,
                               QChar decimalSeparator) {
    const int decimals = EffectivePrecision(options);
    return {TimeText(row.time, options.Int_TimeForamtidx),
            FixedDecimalsText(row.intensity, decimals, decimalSeparator),
            FixedDecimalsText(row.cumulative, decimals, decimalSeparator)};
}

std::optional<QString> IntensityUnitText(StormUnit stormUnit) {
    if (stormUnit == MillimetresPerHour)
        return QStringLiteral("mm/h");
    if (stormUnit == MillimetresPerMinute)
        return QStringLiteral("mm/min");
    return std::nullopt;
}

std::optional<QString> IntensityColumnHeader(StormUnit stormUnit) {
    const auto unit = IntensityUnitText(stormUnit);
    if (!unit)
        return std::nullopt;
    return QStringLiteral("降雨强度") + *unit;
}

std::optional<QString> IntensityAxisTitle(StormUnit stormUnit) {
    const auto unit = IntensityUnitText(stormUnit);
    if (!unit)
        return std::nullopt;
    return QStringLiteral("降雨强度(%1)").arg(*unit);
}

QString ReturnPeriodLabelText(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("重现期  P=%1年")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, decimalSeparator));
}

QString DurationLabelText(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("降雨历时t=%1min")
        .arg(GeneralNumberText(storm.Storm_Time, decimalSeparator));
}

QString PeakRatioLabelText(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("峰值比例r=%1")
        .arg(GeneralNumberText(storm.Storm_Percent, decimalSeparator));
}

QString OverallRainfallLabelText(const TExpressionObject& storm, const TOptions& options,
                                 QChar decimalSeparator) {
    return QStringLiteral("降雨总量H=%1mm")
        .arg(FixedDecimalsText(storm.Strom_Overall_Rainfall, EffectivePrecision(options),
                               decimalSeparator));
}

QString AverageIntensityLabelText(const TExpressionObject& storm, const TOptions& options,
                                  const QString& unitText, QChar decimalSeparator) {
    return QStringLiteral("平均雨强i=%1%2")
        .arg(FixedDecimalsText(storm.Strom_Average_Rainfall_Intensity, EffectivePrecision(options),
                               decimalSeparator),
             unitText);
}

QChar CsvFieldSeparator(QChar decimalSeparator) {
    return decimalSeparator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
}

} // namespace velmora
