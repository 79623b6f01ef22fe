#pragma once

#include "display_text.h"
#include "hyetograph.h"

#include <vector>

namespace velmora::testing {

// The grid's texts of the default storm with another duration or step, "." as separator.
inline std::vector<TResultRowTexts> DefaultStormRows(double minutes, int step,
                                                     const TOptions& options) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_Time = minutes;
    storm.Storm_Step = step;
    std::vector<TResultRowTexts> rows;
    const Result<THyetograph> computed = CalcHyetograph(storm, options);
    for (const THyetographRow& row : computed->rows)
        rows.push_back(ResultRowTexts(row, options, QLatin1Char('.')));
    return rows;
}

inline TOptions DisplayOptions(int timeFormat, int unit, int precision) {
    TOptions options;
    options.Int_TimeForamtidx = static_cast<TimeFormat>(timeFormat);
    options.Int_StormUnitidx = static_cast<StormUnit>(unit);
    options.Int_Precision = precision;
    return options;
}

} // namespace velmora::testing
