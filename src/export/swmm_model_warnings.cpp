#include "swmm_model_warnings.h"

#include <cmath>

namespace velmora {

namespace {

// A depth as the warnings give it: to the hundredth of a mm.
QString Millimetres(double depth) {
    return QString::number(depth, 'f', 2) + QStringLiteral(" mm");
}

QString Duration(double minutes) {
    const auto whole = static_cast<long long>(std::floor(minutes));
    const long long hours = whole / 60;
    const long long rest = whole % 60;
    if (hours == 0)
        return QStringLiteral("%1分钟").arg(rest);
    return rest == 0 ? QStringLiteral("%1小时").arg(hours)
                     : QStringLiteral("%1小时%2分钟").arg(hours).arg(rest);
}

std::optional<QString> StepWarning(const TSwmmStorm& storm, const QString& name) {
    const int step = SwmmStepMinutes(storm);
    const double depth = SwmmGageDepth(storm);
    const double total = storm.storm.Strom_Overall_Rainfall;
    if (storm.intervalAverage || step <= 1 || std::abs(depth - total) < 0.005)
        return std::nullopt;
    return QStringLiteral("雨型%1的步长为%2分钟，各行是所在分钟的强度而不是时段平均强度："
                          "SWMM把每个值保持%2分钟，模型得到%3，比降雨总量H=%4%5%6"
                          "（在设置中选择“按时段平均强度”，模型得到的雨量就等于H）")
        .arg(name)
        .arg(step)
        .arg(Millimetres(depth), Millimetres(total),
             depth < total ? QStringLiteral("少") : QStringLiteral("多"),
             Millimetres(std::abs(total - depth)));
}

std::optional<QString> PeriodWarning(const TSwmmStorm& storm, const QString& name,
                                     std::optional<double> simulationMinutes) {
    const double end = SwmmStormEndMinute(storm);
    if (!simulationMinutes || *simulationMinutes <= 0 || *simulationMinutes >= end)
        return std::nullopt;
    return QStringLiteral("模型的模拟时段（START_DATE/START_TIME至END_DATE/END_TIME）只有%1，"
                          "雨型%2要到开始后%3才结束：模拟只包含其中的%4（全部为%5），"
                          "请把END_DATE/END_TIME推后")
        .arg(Duration(*simulationMinutes), name, Duration(end),
             Millimetres(SwmmGageDepth(storm, *simulationMinutes)),
             Millimetres(SwmmGageDepth(storm)));
}

} // namespace

QStringList SwmmStormWarnings(const TSwmmStorm& storm, const QString& seriesName,
                              std::optional<double> simulationMinutes) {
    QStringList warnings;
    for (const auto& warning :
         {StepWarning(storm, seriesName), PeriodWarning(storm, seriesName, simulationMinutes)})
        if (warning)
            warnings.append(*warning);
    return warnings;
}

} // namespace velmora
