#include "formula_from_records.h"

#include "number_text.h"

#include <QStringList>

#include <cmath>
#include <optional>

namespace velmora {

namespace {

QString Number(double x) {
    return GeneralNumberText(x, QLatin1Char('.'));
}

Status CheckReturnPeriods(const std::vector<double>& periods) {
    if (periods.size() < 2)
        return Failure{
            QStringLiteral("只给了 %1 个重现期，总公式至少需要 2 个").arg(periods.size())};
    for (std::size_t i = 0; i < periods.size(); ++i) {
        if (!(periods[i] > 1))
            return Failure{
                QStringLiteral("重现期 %1 年不大于 1 年：年最大值只能推算 1 年以上的重现期")
                    .arg(Number(periods[i]))};
        for (std::size_t j = 0; j < i; ++j)
            if (periods[j] == periods[i])
                return Failure{QStringLiteral("重现期 %1 年给了两次").arg(Number(periods[i]))};
    }
    return {};
}

// The intensities (depth / t) of one distribution's curves.
TIntensityTable DistributionTable(const std::vector<TDurationFrequency>& durations,
                                  const std::vector<double>& periods, std::size_t distribution) {
    TIntensityTable table;
    table.periods = periods;
    for (const TDurationFrequency& duration : durations) {
        table.durations.push_back(duration.duration);
        std::vector<double> row;
        for (const double depth : duration.curves[distribution].depths)
            row.push_back(depth / duration.duration);
        table.intensities.push_back(std::move(row));
    }
    return table;
}

// A curve of the moments can fall below zero for short return periods of a
// very scattered sample: no formula is fitted to such a table.
Status CheckPositive(const TIntensityTable& table) {
    for (std::size_t row = 0; row < table.durations.size(); ++row)
        for (std::size_t column = 0; column < table.periods.size(); ++column)
            if (!(table.intensities[row][column] > 0))
                return Failure{
                    QStringLiteral("历时 %1 分钟、重现期 %2 年的雨量不是正数")
                        .arg(Number(table.durations[row]), Number(table.periods[column]))};
    return {};
}

Result<TTableFit> FitDistributionTable(const TIntensityTable& table, std::uint8_t logOfP) {
    if (const Status positive = CheckPositive(table); !positive)
        return positive.failure();
    return FitIntensityTable(table, logOfP);
}

// The index of the fitted formula that deviates least, or the reasons why
// none was fitted.
Result<std::size_t> Proposal(const std::vector<TDistributionFormula>& formulas) {
    std::optional<std::size_t> best;
    QStringList reasons;
    for (std::size_t i = 0; i < formulas.size(); ++i) {
        const Result<TTableFit>& fit = formulas[i].fit;
        if (!fit)
            reasons << DistributionName(formulas[i].distribution) + QStringLiteral("：") +
                           fit.message();
        else if (!best || ProposalDeviation(*fit) < ProposalDeviation(*formulas[*best].fit))
            best = i;
    }
    if (!best)
        return Failure{QStringLiteral("三种分布的强度表都拟合不出公式。") +
                       reasons.join(QStringLiteral("；"))};
    return *best;
}

} // namespace

double ProposalDeviation(const TTableFit& fit) {
    if (fit.totalAccuracy.standardRange)
        return fit.totalAccuracy.standardRange->rms;
    double squares = 0;
    for (const TPeriodDeviation& period : fit.totalAccuracy.periods)
        squares += period.deviation.rms * period.deviation.rms;
    return std::sqrt(squares / static_cast<double>(fit.totalAccuracy.periods.size()));
}

Result<TRecordsAnalysis> AnalyseAnnualMaxima(const TAnnualMaxima& records,
                                             const std::vector<double>& returnPeriods,
                                             std::uint8_t logOfP) {
    if (const Status periods = CheckReturnPeriods(returnPeriods); !periods)
        return periods.failure();
    TRecordsAnalysis analysis;
    analysis.returnPeriods = returnPeriods;
    for (std::size_t column = 0; column < records.durations.size(); ++column) {
        Result<TDurationFrequency> frequency = AnalyseDuration(
            records.durations[column], DepthsOfDuration(records, column), returnPeriods);
        if (!frequency)
            return frequency.failure();
        analysis.durations.push_back(std::move(*frequency));
    }
    for (std::size_t i = 0; i < Distributions.size(); ++i) {
        TIntensityTable table = DistributionTable(analysis.durations, returnPeriods, i);
        Result<TTableFit> fit = FitDistributionTable(table, logOfP);
        analysis.formulas.push_back({Distributions[i], std::move(table), std::move(fit)});
    }
    const Result<std::size_t> proposed = Proposal(analysis.formulas);
    if (!proposed)
        return proposed.failure();
    analysis.proposed = *proposed;
    return analysis;
}

} // namespace velmora
