#include "storm_chart_view.h"

#include "display_text.h"
#include "font_conversion.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "number_text.h"
#include "storm_session.h"

#include <algorithm>

namespace velmora {

namespace {

std::vector<ComparedLine> ComparedLines(const StormSession& session) {
    const StormUnit unit = session.options().Int_StormUnitidx;
    const QStringList legends = ComparedStormLegends(session.comparison(), UserDecimalSeparator());
    std::vector<ComparedLine> lines;
    for (const TComparedStorm& compared : session.comparison()) {
        ComparedLine line{legends[static_cast<qsizetype>(lines.size())], {}, {}};
        const auto count = static_cast<qsizetype>(compared.rows.size());
        line.minutes.reserve(count);
        line.intensities.reserve(count);
        for (std::size_t row = 0; row < compared.rows.size(); ++row) {
            line.minutes.append(compared.rows[row].time);
            line.intensities.append(compared.intensityIn(row, unit));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

StormChartView::StormChartView(HyetographChart& chart) : chart_(chart) {
    const char* names[] = {"Label_P", "Label_T", "Label_r", "Label_Overall_Rainfall",
                           "Label_Average_Rainfall_Intensity"};
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new InfoLabel(&chart, {100, 96 + 22 * static_cast<int>(i)});
        labels_[i]->setObjectName(QString::fromLatin1(names[i]));
    }
}

void StormChartView::applyOptions(const TOptions& options, const QPalette& palette) {
    const bool shown[] = {options.Bool_ShowLabel_P, options.Bool_ShowLabel_T,
                          options.Bool_ShowLabel_R, options.Bool_ShowLabel_Overall_Rainfall,
                          options.Bool_ShowLabel_Average_Rainfall_Intensity};
    const ScreenFont labelFont = InfoLabelFontFromOptions(options, palette);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i]->setVisible(shown[i]);
        labels_[i]->setScreenFont(labelFont);
    }
    chart_.setAxisFonts(ChartAxisFontsFromOptions(options, palette));
}

void StormChartView::showStorm(const StormSession& session, bool bars, bool line) {
    if (!session.table().empty()) {
        chart_.fill(session.table(), session.options().Int_TimeForamtidx);
        showComparison(session); // in the unit of the table
    }
    showSeries(session, bars, line);
    writeLabelTexts(session);
}

void StormChartView::showComparison(const StormSession& session) {
    chart_.setComparedLines(ComparedLines(session),
                            ShownStormLegend(session.storm(), UserDecimalSeparator()));
    fitValueAxes(session);
}

void StormChartView::showSeries(const StormSession& session, bool bars, bool line) {
    barsShown_ = bars;
    lineShown_ = line;
    chart_.setSeriesShown(bars, line);
    fitValueAxes(session);
}

void StormChartView::clear() {
    chart_.clearSeries();
}

void StormChartView::draw() {
    // A chart not yet shown is drawn when it is first painted.
    if (chart_.isVisible())
        chart_.replot();
}

void StormChartView::writeLabelTexts(const StormSession& session) {
    const TExpressionObject& storm = session.storm();
    const TOptions& options = session.options();
    const QChar separator = UserDecimalSeparator();
    labels_[0]->setLabelText(ReturnPeriodLabelText(storm, separator));
    labels_[1]->setLabelText(DurationLabelText(storm, separator));
    labels_[2]->setLabelText(PeakRatioLabelText(storm, separator));
    labels_[3]->setLabelText(OverallRainfallLabelText(storm, options, separator));
    // For a unit other than the two the average label and the axis title keep their texts.
    if (const auto unit = IntensityUnitText(options.Int_StormUnitidx))
        labels_[4]->setLabelText(AverageIntensityLabelText(storm, options, *unit, separator));
    if (const auto title = IntensityAxisTitle(options.Int_StormUnitidx))
        chart_.setIntensityTitle(*title);
}

void StormChartView::fitValueAxes(const StormSession& session) {
    if (session.table().empty())
        return;
    const double intensity =
        std::max(session.maxRainfallIntensity(),
                 MaxComparedIntensity(session.comparison(), session.options().Int_StormUnitidx));
    // The line keeps to the lower half and the hanging bars to the upper
    // half; a series alone, or hidden, has its axis to itself, so that the
    // axis of a hidden series still reads the storm's values.
    const double share = barsShown_ && lineShown_ ? 2 : 1.1;
    chart_.setLeftMaximum(share * intensity);
    chart_.setRightMaximum(share * session.maxOverallRainfall());
}

} // namespace velmora
