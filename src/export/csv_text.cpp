#include "csv_text.h"

namespace velmora {

namespace {
const QString LineEnd = QStringLiteral("\r\n");
}

QString CsvHeaderLine(const TOptions& options) {
    // The computation takes any unit other than 0 as mm/min, and the time
    // text any format other than 0 as minutes; the header follows them.
    const QString time = options.Int_TimeForamtidx == HoursAndMinutesFormat
                             ? QStringLiteral("时间(H:M),")
                             : QStringLiteral("时间(min),");
    const QString values = options.Int_StormUnitidx == MillimetresPerHour
                               ? QStringLiteral("降雨强度(mm/h),降雨总量(mm)")
                               : QStringLiteral("降雨强度(mm/min),降雨总量(mm)");
    return time + values;
}

QString CsvText(const std::vector<TResultRowTexts>& rows, const TOptions& options) {
    QString text = CsvHeaderLine(options) + LineEnd;
    text.reserve(text.size() + static_cast<qsizetype>(rows.size()) * 32);
    for (const TResultRowTexts& row : rows)
        text += row.time + QLatin1Char(',') + row.intensity + QLatin1Char(',') + row.cumulative +
                LineEnd;
    return text;
}

} // namespace velmora
