#pragma once

#include "hyetograph.h"
#include "options.h"
#include "storm.h"

#include <QChar>
#include <QString>

#include <optional>

namespace velmora {

// The time of a row: with format 0 hours and minutes ("01:05"; hours are not
// wrapped at 24, so 1500 minutes is "25:00"), otherwise whole minutes with at
// least two digits ("00", "05", "120").
QString TimeText(double minutes, TimeFormat timeFormat);

// The three cell texts of a result row, as the grid shows and the exports write them.
struct TResultRowTexts {
    QString time;
    QString intensity;
    QString cumulative;
};

TResultRowTexts ResultRowTexts(const THyetographRow& row, const TOptions& options,
                               QChar decimalSeparator);

// The unit of the times: "H:M" for format 0, "min" for any other value, as
// TimeText writes them; and the time column's heading, "时间(H:M)" or "时间(min)".
QString TimeUnitText(TimeFormat timeFormat);
QString TimeColumnHeading(TimeFormat timeFormat);

// "降雨强度(mm/min)": the intensity column's heading in the CSV and the workbook.
QString IntensityHeading(StormUnit stormUnit);

// The unit the computation gives intensities in: "mm/h" for unit 0, "mm/min"
// for any other value.
QString ComputedIntensityUnit(StormUnit stormUnit);

// The separator between the fields of a CSV line: ",", or ";" where numbers
// are written with a decimal comma (as spreadsheets in such places read it).
QChar CsvFieldSeparator(QChar decimalSeparator);

// "mm/h" for unit 0, "mm/min" for unit 1, nothing for any other value.
std::optional<QString> IntensityUnitText(StormUnit stormUnit);

// What every export of the table says when there are no rows to put in it.
inline const QString NoDataMessage =
    QStringLiteral("没有数据可以保存~\r\n点击“添加”按钮，添加新曲线");

inline const QString TimeColumnHeader = QStringLiteral("时间");
inline const QString CumulativeColumnHeader = QStringLiteral("降雨总量mm");
std::optional<QString> IntensityColumnHeader(StormUnit stormUnit); // "降雨强度mm/min"
std::optional<QString> IntensityAxisTitle(StormUnit stormUnit);    // "降雨强度(mm/min)"

// The five information labels of the chart.
QString ReturnPeriodLabelText(const TExpressionObject& storm, QChar decimalSeparator);
QString DurationLabelText(const TExpressionObject& storm, QChar decimalSeparator);
QString PeakRatioLabelText(const TExpressionObject& storm, QChar decimalSeparator);
QString OverallRainfallLabelText(const TExpressionObject& storm, const TOptions& options,
                                 QChar decimalSeparator);
QString AverageIntensityLabelText(const TExpressionObject& storm, const TOptions& options,
                                  const QString& unitText, QChar decimalSeparator);

} // namespace velmora
