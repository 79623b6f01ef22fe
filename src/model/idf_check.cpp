#include "idf_check.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr double CheckedDurations[] = {5,   10,  15,  20,  30,  45,   60,   90,   120,
                                       150, 180, 240, 360, 720, 1440, 2880, 4320, 10080};

// The largest rain of `length` consecutive minutes, each minute's intensity
// (mm/min) counting for one minute.
double HeaviestRun(const THyetographTable& minutes, std::size_t length) {
    length = std::min(length, minutes.size());
    double run = 0;
    for (std::size_t i = 0; i < length; ++i)
        run += minutes[i].intensity;
    double heaviest = run;
    for (std::size_t i = length; i < minutes.size(); ++i) {
        run += minutes[i].intensity - minutes[i - length].intensity;
        heaviest = std::max(heaviest, run);
    }
    return heaviest;
}

} // namespace

std::vector<double> IdfCheckDurations(double stormDuration) {
    std::vector<double> durations;
    for (const double d : CheckedDurations)
        if (d < stormDuration)
            durations.push_back(d);
    // A duration of no minutes holds no rain to check.
    if (stormDuration > 0)
        durations.push_back(stormDuration);
    return durations;
}

Result<std::vector<TIdfCheckRow>> IdfCheckTable(const TExpressionObject& storm) {
    TExpressionObject everyMinute = storm;
    everyMinute.Storm_Step = 1;
    TOptions perMinute;
    perMinute.Int_StormUnitidx = MillimetresPerMinute; // mm/min
    const Result<THyetograph> minutes = CalcHyetograph(everyMinute, perMinute);
    if (!minutes)
        return minutes.failure().asError();

    // The factor the storm was computed with: a storm without a known
    // logarithm has none, and neither its rain nor its formula's depth.
    const double a = FormulaFactor(storm).value();
    std::vector<TIdfCheckRow> rows;
    for (const double d : IdfCheckDurations(storm.Storm_Time)) {
        const double stormDepth = HeaviestRun(minutes->rows, static_cast<std::size_t>(d));
        const double formulaDepth = a * d / std::pow(d + storm.b, storm.n);
        const double difference =
            formulaDepth == 0 ? 0 : 100 * (stormDepth - formulaDepth) / formulaDepth;
        rows.push_back({d, stormDepth, formulaDepth, difference});
    }
    return rows;
}

QStringList IdfCheckLines(const std::vector<TIdfCheckRow>& rows, QChar separator) {
    const QChar dot = QLatin1Char('.');
    QStringList lines = {QStringList{QStringLiteral("历时(min)"),
                                     QStringLiteral("雨型最大雨量(mm)"),
                                     QStringLiteral("公式雨量(mm)"), QStringLiteral("相差(%)")}
                             .join(separator)};
    for (const TIdfCheckRow& row : rows)
        lines << QStringList{GeneralNumberText(row.duration, dot),
                             FixedDecimalsText(row.stormDepth, 4, dot),
                             FixedDecimalsText(row.formulaDepth, 4, dot),
                             FixedDecimalsText(row.differencePercent, 2, dot)}
                     .join(separator);
    return lines;
}

} // namespace velmora
