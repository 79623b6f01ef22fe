// The refresh that every command uses, the series switches and the options
// pushed onto the window.

#include "main_window.h"

#include "command_guard.h"
#include "desktop.h"
#include "display_text.h"
#include "font_conversion.h"
#include "hyetograph_chart.h"
#include "number_text.h"
#include "result_grid.h"
#include "storm_chart_view.h"
#include "storm_session.h"

#include <QAction>
#include <QCheckBox>

#include <algorithm>

namespace velmora {

void TFormQuorvel::connectSession() {
    connect(session_, &StormSession::tableAboutToChange, this, &TFormQuorvel::releaseTable);
    connect(session_, &StormSession::tableChanged, this, &TFormQuorvel::showTableAndLabels);
    connect(session_, &StormSession::optionsChanged, this, &TFormQuorvel::ApplyOptionsToMainWindow);
    connect(session_, &StormSession::comparisonChanged, this, &TFormQuorvel::showComparison);
    // Emitted while the session is destroyed: nothing of it may be read here.
    connect(session_, &QObject::destroyed, this, &TFormQuorvel::detachFromSession);
}

void TFormQuorvel::RefreshHyetograph() {
    if (!session_)
        return;
    if (const Status computed = session_->recompute(); !computed)
        desktop_.showError(ErrorTitle, FailureText(computed.failure()));
}

// The grid and the chart let go of the old rows before the session empties the table.
void TFormQuorvel::releaseTable() {
    GridData->clearTable();
    chartView_->clear();
}

void TFormQuorvel::detachFromSession() {
    releaseTable();
    hide();
    setEnabled(false);
}

// After every computation: nothing of an earlier storm stays on screen.
void TFormQuorvel::showTableAndLabels() {
    if (!session_)
        return;
    showSwitchesFromOptions();
    GridData->showTable(session_->table(), session_->options(), UserDecimalSeparator());
    chartView_->showStorm(*session_, CheckBox_Overall_Rainfall->isChecked(),
                          CheckBox_Rainfall_Intensity->isChecked());
    chartView_->draw();
}

// The series switches take the options, and the context menu follows them.
void TFormQuorvel::showSwitchesFromOptions() {
    const TOptions& options = session_->options();
    CheckBox_Overall_Rainfall->setChecked(options.Bool_ShowAxis_Overall_Rainfall);
    CheckBox_Rainfall_Intensity->setChecked(options.Bool_ShowAxis_Rainfall_Intensity);
    menu_Overall_Rainfall->setChecked(options.Bool_ShowAxis_Overall_Rainfall);
    menu_Rainfall_Intensity->setChecked(options.Bool_ShowAxis_Rainfall_Intensity);
}

void TFormQuorvel::ShowHyetographTable() {
    if (!session_)
        return;
    GridData->showTable(session_->table(), session_->options(), UserDecimalSeparator());
    chartView_->showStorm(*session_, CheckBox_Overall_Rainfall->isChecked(),
                          CheckBox_Rainfall_Intensity->isChecked());
}

Status TFormQuorvel::HideSomeSeries(SwitchSender sender) {
    if (!session_)
        return {};
    if (sender == SwitchSender::CheckBox) {
        menu_Overall_Rainfall->setChecked(CheckBox_Overall_Rainfall->isChecked());
        menu_Rainfall_Intensity->setChecked(CheckBox_Rainfall_Intensity->isChecked());
    } else {
        CheckBox_Overall_Rainfall->setChecked(menu_Overall_Rainfall->isChecked());
        CheckBox_Rainfall_Intensity->setChecked(menu_Rainfall_Intensity->isChecked());
    }
    const bool bars = CheckBox_Overall_Rainfall->isChecked();
    const bool line = CheckBox_Rainfall_Intensity->isChecked();
    chartView_->showSeries(*session_, bars, line);
    if (session_->table().empty())
        return {};
    // Saved only when the switches changed, which only the person does: a
    // redraw with the switches equal to the options never fails here.
    return session_->showSeries(bars, line);
}

void TFormQuorvel::SeriesSwitchClick(SwitchSender sender) {
    runCommand([this, sender] {
        const Status saved = HideSomeSeries(sender);
        chartView_->draw();
        return saved;
    });
}

void TFormQuorvel::ApplyOptionsToMainWindow() {
    if (!session_)
        return;
    showSwitchesFromOptions();
    chartView_->applyOptions(session_->options(), palette());
    chartView_->showSeries(*session_, CheckBox_Overall_Rainfall->isChecked(),
                           CheckBox_Rainfall_Intensity->isChecked());
}

} // namespace velmora
