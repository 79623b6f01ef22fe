#include "csv_text.h"

namespace velmora {

namespace {
const QString LineEnd = QStringLiteral("\r\n");
}

QString CsvHeaderLine(const TOptions& options, QChar fieldSeparator) {
    // The computation takes any unit other than 0 as mm/min, and the time
    // text any format other than 0 as minutes; the header follows them.
    return TimeColumnHeading(options.Int_TimeForamtidx) + fieldSeparator +
           IntensityHeading(options.Int_StormUnitidx) + fieldSeparator +
           QStringLiteral("降雨总量(mm)");
}

QString CsvText(const std::vector<TResultRowTexts>& rows, const TOptions& options,
                QChar decimalSeparator) {
    const QChar separator = CsvFieldSeparator(decimalSeparator);
    QString text = CsvHeaderLine(options, separator) + LineEnd;
    text.reserve(text.size() + static_cast<qsizetype>(rows.size()) * 32);
    for (const TResultRowTexts& row : rows)
        text += row.time + separator + row.intensity + separator + row.cumulative + LineEnd;
    return text;
}

} // namespace velmora
