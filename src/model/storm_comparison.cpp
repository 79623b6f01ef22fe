#include "storm_comparison.h"

#include "display_text.h"
#include "number_text.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <utility>

namespace velmora {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// The formula's coefficients a legend names when storms differ in them.
constexpr std::pair<double TExpressionObject::*, const char*> Coefficients[] = {
    {&TExpressionObject::a1, "A1"},
    {&TExpressionObject::c, "C"},
    {&TExpressionObject::b, "b"},
    {&TExpressionObject::n, "n"}};

// The intensity of a row in `unit`, as the table of that unit shows it.
QString IntensityText(const TComparedStorm& compared, std::size_t row, const TOptions& options,
                      QChar decimalSeparator) {
    const THyetographRow shown{compared.rows[row].time,
                               compared.intensityIn(row, options.Int_StormUnitidx),
                               compared.rows[row].cumulative};
    return ResultRowTexts(shown, options, decimalSeparator).intensity;
}

} // namespace

double TComparedStorm::intensityIn(std::size_t row, StormUnit unit) const {
    const double intensity = rows[row].intensity;
    const bool perHour = stormUnit == MillimetresPerHour;
    const bool wantedPerHour = unit == MillimetresPerHour;
    if (perHour == wantedPerHour)
        return intensity;
    return wantedPerHour ? intensity * 60.0 : intensity / 60.0;
}

double MaxComparedIntensity(const std::vector<TComparedStorm>& storms, StormUnit unit) {
    double maximum = 0;
    for (const TComparedStorm& compared : storms)
        for (std::size_t row = 0; row < compared.rows.size(); ++row)
            maximum = std::max(maximum, compared.intensityIn(row, unit));
    return maximum;
}

bool SameComparedStorm(const TComparedStorm& one, const TComparedStorm& other) {
    const TExpressionObject& a = one.storm;
    const TExpressionObject& b = other.storm;
    const bool sameStorm = a.a1 == b.a1 && a.c == b.c && a.b == b.b && a.n == b.n &&
                           a.LG_LN == b.LG_LN && a.Storm_RepeatYear == b.Storm_RepeatYear &&
                           a.Storm_Time == b.Storm_Time && a.Storm_Step == b.Storm_Step &&
                           a.Storm_Percent == b.Storm_Percent;
    if (!sameStorm || one.intervalAverage != other.intervalAverage ||
        one.rows.size() != other.rows.size())
        return false;
    // Rows rounded to other decimals differ by far more than a change of unit does.
    for (std::size_t row = 0; row < one.rows.size(); ++row) {
        const double x = one.intensityIn(row, one.stormUnit);
        const double y = other.intensityIn(row, one.stormUnit);
        if (one.rows[row].time != other.rows[row].time ||
            std::abs(x - y) > 1e-12 * std::max(std::abs(x), std::abs(y)))
            return false;
    }
    return true;
}

QString ComparedStormLegend(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("P=%1年 T=%2分 r=%3")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, decimalSeparator),
             GeneralNumberText(storm.Storm_Time, decimalSeparator),
             GeneralNumberText(storm.Storm_Percent, decimalSeparator));
}

QStringList ComparedStormLegends(const std::vector<TComparedStorm>& storms,
                                 QChar decimalSeparator) {
    QStringList legends;
    for (const TComparedStorm& compared : storms) {
        const TExpressionObject& storm = compared.storm;
        // Whether `part` differs from that of another storm of the same P, T and r.
        const auto differs = [&](const auto& part) {
            return std::any_of(storms.cbegin(), storms.cend(), [&](const TComparedStorm& other) {
                const TExpressionObject& o = other.storm;
                return o.Storm_RepeatYear == storm.Storm_RepeatYear &&
                       o.Storm_Time == storm.Storm_Time && o.Storm_Percent == storm.Storm_Percent &&
                       part(other) != part(compared);
            });
        };
        QString legend = ComparedStormLegend(storm, decimalSeparator);
        if (differs([](const TComparedStorm& s) { return s.storm.Storm_Step; }))
            legend += QStringLiteral(" 步长%1分").arg(storm.Storm_Step);
        for (const auto& [field, name] : Coefficients)
            if (differs([field = field](const TComparedStorm& s) { return s.storm.*field; }))
                legend += QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') +
                          GeneralNumberText(storm.*field, decimalSeparator);
        if (differs([](const TComparedStorm& s) { return s.storm.LG_LN; }))
            legend +=
                storm.LG_LN == NaturalLogarithm ? QStringLiteral(" ln") : QStringLiteral(" lg");
        if (compared.intervalAverage &&
            differs([](const TComparedStorm& s) { return s.intervalAverage; }))
            legend += QStringLiteral(" 时段平均");
        legends.append(legend);
    }
    return legends;
}

QString ShownStormLegend(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("当前雨型 ") + ComparedStormLegend(storm, decimalSeparator);
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
    table.legends = ComparedStormLegends(storms, decimalSeparator);
    table.intensityUnit = ComputedIntensityUnit(options.Int_StormUnitidx);
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
    const QStringList legends = ComparedStormLegends(storms, dot);
    for (std::size_t s = 0; s < storms.size(); ++s) {
        const TComparedStorm& compared = storms[s];
        const QString name = SwmmSeriesName(compared.storm);
        text += QStringLiteral(";;") + legends[static_cast<qsizetype>(s)] + LineEnd;
        for (std::size_t row = 0; row < compared.rows.size(); ++row)
            text += name.leftJustified(16) + QStringLiteral("           ") +
                    TimeText(compared.rows[row].time, HoursAndMinutesFormat).leftJustified(11) +
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
                TimeText(compared.storm.Storm_Step, HoursAndMinutesFormat).leftJustified(9) +
                QStringLiteral("1.0      TIMESERIES ") + name + LineEnd;
    }
    return text;
}

} // namespace velmora
