#include "storm_comparison.h"

#include "display_text.h"
#include "number_text.h"

#include <QStringList>

#include <algorithm>
#include <map>

namespace velmora {

namespace {

const QString LineEnd = QStringLiteral("\r\n");

// The intensity of a row in `unitIdx`, as the table of that unit shows it.
QString IntensityText(const TComparedStorm& compared, std::size_t row, const TOptions& options,
                      QChar decimalSeparator) {
    const THyetographRow shown{compared.rows[row].time, compared.intensityIn(row, options.Int_StormUnitidx),
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

Result<TComparedStorm> CompareStorm(TExpressionObject storm, const TOptions& options) {
    THyetographResult result = CalcHyetograph(storm, options);
    if (!result.succeeded())
        return Failure{result.failure};
    StoreResults(storm, result);
    return TComparedStorm{storm, options.Int_StormUnitidx == 0 ? 0 : 1, std::move(result.rows)};
}

QString ComparedStormLegend(const TExpressionObject& storm, QChar decimalSeparator) {
    return QStringLiteral("P=%1年 T=%2分 r=%3")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, decimalSeparator),
             GeneralNumberText(storm.Storm_Time, decimalSeparator),
             GeneralNumberText(storm.Storm_Percent, decimalSeparator));
}

QString ComparisonCsvText(const std::vector<TComparedStorm>& storms, const TOptions& options,
                          QChar decimalSeparator) {
    // Each minute, and per storm the row it has at that minute.
    std::map<double, std::vector<std::optional<std::size_t>>> table;
    for (std::size_t s = 0; s < storms.size(); ++s) {
        for (std::size_t row = 0; row < storms[s].rows.size(); ++row) {
            auto& cells = table[storms[s].rows[row].time];
            cells.resize(storms.size());
            cells[s] = row;
        }
    }
    QString text = options.Int_TimeForamtidx == 0 ? QStringLiteral("时间(H:M)") : QStringLiteral("时间(min)");
    for (const TComparedStorm& compared : storms)
        text += QLatin1Char(',') + ComparedStormLegend(compared.storm, decimalSeparator);
    text += LineEnd;
    for (const auto& [minute, cells] : table) {
        text += TimeText(minute, options.Int_TimeForamtidx);
        for (std::size_t s = 0; s < storms.size(); ++s) {
            text += QLatin1Char(',');
            if (s < cells.size() && cells[s])
                text += IntensityText(storms[s], *cells[s], options, decimalSeparator);
        }
        text += LineEnd;
    }
    return text;
}

QString SwmmSeriesName(const TExpressionObject& storm) {
    const QChar dot = QLatin1Char('.');
    return QStringLiteral("P%1_T%2_r%3")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, dot), GeneralNumberText(storm.Storm_Time, dot),
             GeneralNumberText(storm.Storm_Percent, dot));
}

QString ComparisonSwmmText(const std::vector<TComparedStorm>& storms, const TOptions& options) {
    TOptions swmm = options;
    swmm.Int_StormUnitidx = 0;
    swmm.Int_TimeForamtidx = 0;
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
                QStringLiteral(" INTENSITY ") + TimeText(compared.storm.Storm_Step, 0).leftJustified(9) +
                QStringLiteral("1.0      TIMESERIES ") + name + LineEnd;
    }
    return text;
}

} // namespace velmora
