// The refresh that every command uses, the series switches and the options
// pushed onto the window.

#include "main_window.h"

#include "command_guard.h"
#include "desktop.h"
#include "display_text.h"
#include "font_conversion.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "number_text.h"
#include "result_grid.h"
#include "storm_session.h"

#include <QAction>
#include <QCheckBox>

#include <algorithm>

namespace velmora {

void TFormQuorvel::connectSession() {
    connect(&session_, &StormSession::tableAboutToChange, this, &TFormQuorvel::releaseTable);
    connect(&session_, &StormSession::tableChanged, this, &TFormQuorvel::showTableAndLabels);
    connect(&session_, &StormSession::optionsChanged, this,
            &TFormQuorvel::ApplyOptionsToMainWindow);
    connect(&session_, &StormSession::comparisonChanged, this, &TFormQuorvel::showComparison);
    // Emitted while the session is destroyed: nothing of it may be read here.
    connect(&session_, &QObject::destroyed, this, &TFormQuorvel::detachFromSession);
}

void TFormQuorvel::RefreshHyetograph() {
    if (sessionGone_)
        return;
    if (const Status computed = session_.recompute(); !computed)
        desktop_.showError(ErrorTitle, FailureText(computed.failure()));
}

// The grid and the chart let go of the old rows before the session empties the table.
void TFormQuorvel::releaseTable() {
    GridData->clearTable();
    Chart1->clearSeries();
}

void TFormQuorvel::detachFromSession() {
    sessionGone_ = true;
    releaseTable();
    hide();
    setEnabled(false);
}

// After every computation: nothing of an earlier storm stays on screen.
void TFormQuorvel::showTableAndLabels() {
    showLabelsAndSeriesFromOptions();
    if (!session_.table().empty())
        ShowHyetographTable();
    writeLabelTexts();
    // A window not yet shown draws its chart when it is first painted.
    if (isVisible())
        Chart1->replot();
    else
        Chart1->replot(QCustomPlot::rpQueuedReplot);
}

// The label switches, then the series switches: the check boxes take the
// options and the chart and the context menu follow them. With the check boxes
// equal to the options this never writes the options file.
void TFormQuorvel::showLabelsAndSeriesFromOptions() {
    const TOptions& options = session_.options();
    Label_P->setVisible(options.Bool_ShowLabel_P);
    Label_T->setVisible(options.Bool_ShowLabel_T);
    Label_r->setVisible(options.Bool_ShowLabel_R);
    Label_Overall_Rainfall->setVisible(options.Bool_ShowLabel_Overall_Rainfall);
    Label_Average_Rainfall_Intensity->setVisible(options.Bool_ShowLabel_Average_Rainfall_Intensity);

    CheckBox_Overall_Rainfall->setChecked(options.Bool_ShowAxis_Overall_Rainfall);
    CheckBox_Rainfall_Intensity->setChecked(options.Bool_ShowAxis_Rainfall_Intensity);
    HideSomeSeries(SwitchSender::CheckBox);
}

void TFormQuorvel::writeLabelTexts() {
    const TExpressionObject& storm = session_.storm();
    const TOptions& options = session_.options();
    const QChar separator = UserDecimalSeparator();
    Label_P->setLabelText(ReturnPeriodLabelText(storm, separator));
    Label_T->setLabelText(DurationLabelText(storm, separator));
    Label_r->setLabelText(PeakRatioLabelText(storm, separator));
    Label_Overall_Rainfall->setLabelText(OverallRainfallLabelText(storm, options, separator));
    // For a unit other than 0 and 1 the average label and the axis title keep their texts.
    if (const auto unit = IntensityUnitText(options.Int_StormUnitidx))
        Label_Average_Rainfall_Intensity->setLabelText(
            AverageIntensityLabelText(storm, options, *unit, separator));
    if (const auto title = IntensityAxisTitle(options.Int_StormUnitidx))
        Chart1->setIntensityTitle(*title);
}

void TFormQuorvel::ShowHyetographTable() {
    GridData->showTable(session_.table(), session_.options(), UserDecimalSeparator());
    Chart1->fill(session_.table(), session_.options().Int_TimeForamtidx);
    showComparedLines(); // in the unit of the table
    HideSomeSeries(SwitchSender::None);
}

Status TFormQuorvel::HideSomeSeries(SwitchSender sender) {
    if (sender == SwitchSender::CheckBox) {
        menu_Overall_Rainfall->setChecked(CheckBox_Overall_Rainfall->isChecked());
        menu_Rainfall_Intensity->setChecked(CheckBox_Rainfall_Intensity->isChecked());
    } else {
        CheckBox_Overall_Rainfall->setChecked(menu_Overall_Rainfall->isChecked());
        CheckBox_Rainfall_Intensity->setChecked(menu_Rainfall_Intensity->isChecked());
    }
    const bool bars = CheckBox_Overall_Rainfall->isChecked();
    const bool line = CheckBox_Rainfall_Intensity->isChecked();
    Chart1->setSeriesShown(bars, line);
    if (session_.table().empty())
        return {};
    fitValueAxes();
    // Saved only when the switches changed, which only the person does: a
    // redraw with the switches equal to the options never fails here.
    return session_.showSeries(bars, line);
}

void TFormQuorvel::fitValueAxes() {
    if (session_.table().empty())
        return;
    const bool bars = CheckBox_Overall_Rainfall->isChecked();
    const bool line = CheckBox_Rainfall_Intensity->isChecked();
    const double intensity =
        std::max(session_.maxRainfallIntensity(),
                 MaxComparedIntensity(session_.comparison(), session_.options().Int_StormUnitidx));
    const double rainfall = session_.maxOverallRainfall();
    // The line keeps to the lower half and the hanging bars to the upper
    // half; a series alone, or hidden, has its axis to itself, so that the
    // axis of a hidden series still reads the storm's values.
    const double share = bars && line ? 2 : 1.1;
    Chart1->setLeftMaximum(share * intensity);
    Chart1->setRightMaximum(share * rainfall);
}

void TFormQuorvel::SeriesSwitchClick(SwitchSender sender) {
    runCommand([this, sender] {
        const Status saved = HideSomeSeries(sender);
        Chart1->replot();
        return saved;
    });
}

void TFormQuorvel::ApplyOptionsToMainWindow() {
    showLabelsAndSeriesFromOptions();
    Chart1->setAxisFonts(ChartAxisFontsFromOptions(session_.options(), palette()));
    const ScreenFont labelFont = InfoLabelFontFromOptions(session_.options(), palette());
    for (InfoLabel* label : infoLabels_)
        label->setScreenFont(labelFont);
}

} // namespace velmora
