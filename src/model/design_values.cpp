#include "design_values.h"

#include "hyetograph.h"
#include "number_text.h"

#include <cmath>

namespace velmora {

Status CheckRepeatYear(double years) {
    if (!(years > 0))
        return Failure{
            QStringLiteral("重现期P=%1年，无法取对数（P必须大于0）").arg(GeneralNumberText(years))};
    return {};
}

Status CheckDuration(double minutes) {
    if (std::isnan(minutes))
        return Failure{QStringLiteral("降雨历时T不是有效的数字")};
    if (minutes >= MaxStormMinutes + 1.0)
        return Failure{QStringLiteral("降雨历时T=%1分钟超过了可计算的上限%2分钟")
                           .arg(GeneralNumberText(minutes))
                           .arg(MaxStormMinutes)};
    if (minutes < 0)
        return Failure{QStringLiteral("降雨历时T=%1分钟小于0，没有可计算的数据")
                           .arg(GeneralNumberText(minutes))};
    return {};
}

Status CheckStep(std::int64_t minutes) {
    if (minutes == 0)
        return Failure{QStringLiteral("计算步长为0，无法按步长取出数据")};
    if (minutes < 0)
        return Failure{QStringLiteral("计算步长=%1分钟是负数，只能取正整数").arg(minutes)};
    return {};
}

Status CheckPeakRatio(double ratio) {
    if (!(ratio > 0 && ratio < 1))
        return Failure{QStringLiteral("峰值比例只能取值(0~1)之间，不包括0和1")};
    return {};
}

Status CheckDesignValues(const TExpressionObject& storm) {
    if (Status duration = CheckDuration(storm.Storm_Time); !duration)
        return duration;
    if (Status step = CheckStep(storm.Storm_Step); !step)
        return step;
    return CheckPeakRatio(storm.Storm_Percent);
}

} // namespace velmora
