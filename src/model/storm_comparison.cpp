#include "storm_comparison.h"

#include "display_text.h"
#include "number_text.h"

#include <QStringList>

#include <algorithm>
#include <map>
#include <optional>

namespace velmora {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// The intensity of a row in `unitIdx`, as the table of that unit shows it.
QString IntensityText(const TComparedStorm& compared, std::size_t row, const TOptions& options,
                      QChar decimalSeparator) {
    const THyetographRow shown{compared.rows[row].time,
                               compared.intensityIn(row, options.Int_StormUnitidx),
                               compared.rows[row].cumulative};
    return ResultRowTexts(shown, options, decimalSeparator).intensity;
}

} // namespace

double TComparedStorm::intensityIn(std::size_t row, int unitIdx) const {
    const double intensity = rows[row].intensity;
    const bool perHour = stormUnitIdx == 0;
    const bool wantedPerHour = unitIdx == 0;
    if (perHour == wantedPerHour)
        return intensity;
    return wantedPerHour ? intensity * 60.0 : intensity / 60.0;
}

double MaxComparedIntensity(const std::vector<TComparedStorm>& storms, int unitIdx) {
    double maximum = 0;
    for (const TComparedStorm& compared : storms)
        for (std::size_t row = 0; row < compared.rows.size(); ++row)
            maximum = std::max(maximum, compared.intensityIn(row, unitIdx));
    return maximum;
}

QString ComparedStormLegend(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("P=%1年 T=%2分 r=%3")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, decimalSeparator),
             GeneralNumberText(storm.Storm_Time, decimalSeparator),
             GeneralNumberText(storm.Storm_Percent, decimalSeparator));
}

TComparisonTable ComparisonTable(const std::vector<TComparedStorm>& storms, const TOptions& options,
                                 QChar decimalSeparator, const THyetographTable* shown) {
    // Each minute, with per storm the row it has there; the storm shown last.
    const std::size_t shownColumn = storms.size();
    std::map<double, std::vector<std::optional<std::size_t>>> rowsAt;
    const auto note = [&rowsAt, &storms](std::size_t column, std::size_t row, double minute) {
        auto& cells = rowsAt[minute];
        cells.resize(storms.size() + 1);
        cells[column] = row;
    };
    for (std::size_t s = 0; s < storms.size(); ++s)
        for (std::size_t row = 0; row < storms[s].rows.size(); ++row)
            note(s, row, storms[s].rows[row].time);
    if (shown)
        for (std::size_t row = 0; row < shown->size(); ++row)
            note(shownColumn, row, (*shown)[row].time);

    TComparisonTable table;
    table.timeHeading = TimeColumnHeading(options.Int_TimeForamtidx);
    for (const TComparedStorm& compared : storms)
        table.legends.append(ComparedStormLegend(compared.storm, decimalSeparator));
    table.intensityUnit = options.Int_StormUnitidx == MillimetresPerHour ? QStringLiteral("mm/h")
                                                                         : QStringLiteral("mm/min");
    table.lines.reserve(rowsAt.size());
    for (const auto& [minute, cells] : rowsAt) {
        TComparisonTable::Line line;
        line.time = TimeText(minute, options.Int_TimeForamtidx);
        for (std::size_t s = 0; s < storms.size(); ++s)
            line.intensities.append(
                cells[s] ? IntensityText(storms[s], *cells[s], options, decimalSeparator)
                         : QString());
        if (shown && cells[shownColumn])
            line.shown = ResultRowTexts((*shown)[*cells[shownColumn]], options, decimalSeparator);
        table.lines.push_back(std::move(line));
    }
    return table;
}

QString TComparisonTable::intensityHeading(qsizetype storm) const {
    return legends[storm] + QStringLiteral(" (") + intensityUnit + u')';
}

QString ComparisonCsvText(const std::vector<TComparedStorm>& storms, const TOptions& options,
                          QChar decimalSeparator) {
    const TComparisonTable table = ComparisonTable(storms, options, decimalSeparator);
    const QChar comma = CsvFieldSeparator(decimalSeparator);
    QString text = table.timeHeading;
    for (qsizetype storm = 0; storm < table.legends.size(); ++storm)
        text += comma + table.intensityHeading(storm);
    text += LineEnd;
    for (const TComparisonTable::Line& line : table.lines)
        text += (QStringList{line.time} + line.intensities).join(comma) + LineEnd;
    return text;
}

QString SwmmSeriesName(const TExpressionObject& storm) {
    const QChar dot = QLatin1Char('.');
    return QStringLiteral("P%1_T%2_r%3")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, dot),
             GeneralNumberText(storm.Storm_Time, dot), GeneralNumberText(storm.Storm_Percent, dot));
}

QString ComparisonSwmmText(const std::vector<TComparedStorm>& storms, const TOptions& options) {
    const TOptions swmm = WithSwmmUnits(options);
    const QChar dot = QLatin1Char('.');
    QString text = QStringLiteral("[TIMESERIES]") + LineEnd +
                   QStringLiteral(";;Name           Date       Time       Value") + LineEnd;
    for (const TComparedStorm& compared : storms) {
        const QString name = SwmmSeriesName(compared.storm);
        text += QStringLiteral(";;") + ComparedStormLegend(compared.storm, dot) + LineEnd;
        for (std::size_t row = 0; row < compared.rows.size(); ++row)
            text += name.leftJustified(16) + QStringLiteral("           ") +
                    TimeText(compared.rows[row].time, 0).leftJustified(11) +
                    IntensityText(compared, row, swmm, dot) + LineEnd;
        text += LineEnd;
    }
    // The gages are left for the user to take: a project holds only the ones it uses.
    text += QStringLiteral("[RAINGAGES]") + LineEnd +
            QStringLiteral(";;Name           Format    Interval SCF      Source") + LineEnd;
    for (const TComparedStorm& compared : storms) {
        const QString name = SwmmSeriesName(compared.storm);
        text += QStringLiteral(";;") + (QStringLiteral("RG_") + name).leftJustified(15) +
                QStringLiteral(" INTENSITY ") +
                TimeText(compared.storm.Storm_Step, 0).leftJustified(9) +
                QStringLiteral("1.0      TIMESERIES ") + name + LineEnd;
    }
    return text;
}

} // namespace velmora
