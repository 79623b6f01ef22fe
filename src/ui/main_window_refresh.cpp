// The refresh that every command uses, the series switches and the options
// pushed onto the window.

#include "main_window.h"

#include "desktop.h"
#include "display_text.h"
#include "font_conversion.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "number_text.h"
#include "options_file.h"
#include "result_grid.h"

#include <QAction>
#include <QCheckBox>

#include <algorithm>

namespace velmora {

void TFormQuorvel::RefreshHyetograph() {
    // The grid and the chart let go of the old rows before the table is emptied.
    GridData->clearTable();
    Chart1->clearSeries();
    table_.clear();
    Max_Rainfall_Intensity = 0;
    Max_Overall_Rainfall = 0;

    showLabelsAndSeriesFromOptions();

    THyetographResult result = CalcHyetograph(storm_, options_);
    StoreResults(storm_, result);
    if (result.succeeded()) {
        table_ = std::move(result.rows);
        ShowHyetographTable();
    } else {
        // Nothing of the storm before stays on screen or in the exports.
        desktop_.showError(QStringLiteral("错误"), QStringLiteral("出错：") + result.failure);
    }

    writeLabelTexts();
    Chart1->replot();
}

// The label switches, then the series switches: the check boxes take the
// options and the chart and the context menu follow them. With the check boxes
// equal to the options this never writes the options file.
void TFormQuorvel::showLabelsAndSeriesFromOptions() {
    Label_P->setVisible(options_.Bool_ShowLabel_P);
    Label_T->setVisible(options_.Bool_ShowLabel_T);
    Label_r->setVisible(options_.Bool_ShowLabel_R);
    Label_Overall_Rainfall->setVisible(options_.Bool_ShowLabel_Overall_Rainfall);
    Label_Average_Rainfall_Intensity->setVisible(options_.Bool_ShowLabel_Average_Rainfall_Intensity);

    CheckBox_Overall_Rainfall->setChecked(options_.Bool_ShowAxis_Overall_Rainfall);
    CheckBox_Rainfall_Intensity->setChecked(options_.Bool_ShowAxis_Rainfall_Intensity);
    HideSomeSeries(SwitchSender::CheckBox);
}

void TFormQuorvel::writeLabelTexts() {
    const QChar separator = UserDecimalSeparator();
    Label_P->setLabelText(ReturnPeriodLabelText(storm_, separator));
    Label_T->setLabelText(DurationLabelText(storm_, separator));
    Label_r->setLabelText(PeakRatioLabelText(storm_, separator));
    Label_Overall_Rainfall->setLabelText(OverallRainfallLabelText(storm_, options_, separator));
    // For a unit other than 0 and 1 the average label and the axis title keep their texts.
    if (const auto unit = IntensityUnitText(options_.Int_StormUnitidx))
        Label_Average_Rainfall_Intensity->setLabelText(
            AverageIntensityLabelText(storm_, options_, *unit, separator));
    if (const auto title = IntensityAxisTitle(options_.Int_StormUnitidx))
        Chart1->setIntensityTitle(*title);
}

void TFormQuorvel::ShowHyetographTable() {
    GridData->showTable(table_, options_, UserDecimalSeparator());
    Max_Rainfall_Intensity = 0;
    Max_Overall_Rainfall = 0;
    for (const THyetographRow& row : table_) {
        Max_Rainfall_Intensity = std::max(Max_Rainfall_Intensity, row.intensity);
        Max_Overall_Rainfall = std::max(Max_Overall_Rainfall, row.cumulative);
    }
    Chart1->fill(table_, options_.Int_TimeForamtidx);
    HideSomeSeries(SwitchSender::None);
}

void TFormQuorvel::HideSomeSeries(SwitchSender sender) {
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
    if (table_.empty())
        return;

    if (bars && line) {
        // The line keeps to the lower half and the hanging bars to the upper half.
        Chart1->setLeftMaximum(2 * Max_Rainfall_Intensity);
        Chart1->setRightMaximum(2 * Max_Overall_Rainfall);
    } else if (bars) {
        Chart1->setRightMaximum(1.1 * Max_Overall_Rainfall);
    } else if (line) {
        Chart1->setLeftMaximum(1.1 * Max_Rainfall_Intensity);
    }

    if (bars != options_.Bool_ShowAxis_Overall_Rainfall ||
        line != options_.Bool_ShowAxis_Rainfall_Intensity) {
        options_.Bool_ShowAxis_Overall_Rainfall = bars;
        options_.Bool_ShowAxis_Rainfall_Intensity = line;
        saveOptionsOrSayWhy();
    }
}

void TFormQuorvel::saveOptionsOrSayWhy() {
    const Status saved = optionsFileName_.isEmpty()
                             ? Status(Failure{QStringLiteral("无法保存设置：没有可用的设置文件夹")})
                             : SaveOptions(optionsFileName_, options_, UserDecimalSeparator());
    if (!saved)
        desktop_.showError(QStringLiteral("错误"), QStringLiteral("出错：") + saved.message());
}

void TFormQuorvel::CheckBox_Rainfall_IntensityClick(SwitchSender sender) {
    runCommand([this, sender] {
        HideSomeSeries(sender);
        Chart1->replot();
    });
}

void TFormQuorvel::ApplyOptionsToMainWindow() {
    showLabelsAndSeriesFromOptions();

    const QPalette colours = palette();
    const QFont axisBase(QStringLiteral("Arial"), 9);
    const QColor black(Qt::black);
    const auto axisFont = [&](const QString& text) {
        return FontFromText(text, axisBase, black, colours);
    };
    const ScreenFont leftAxis = axisFont(options_.Font_LeftAxis);
    const ScreenFont leftTitle = axisFont(options_.Font_LeftTitle);
    const ScreenFont rightAxis = axisFont(options_.Font_RightAxis);
    const ScreenFont rightTitle = axisFont(options_.Font_RightTitle);
    const ScreenFont bottomAxis = axisFont(options_.Font_BottomAxis);
    const ScreenFont bottomTitle = axisFont(options_.Font_BottomTitle);
    Chart1->setAxisFonts(leftAxis.font, leftAxis.color, leftTitle.font, leftTitle.color,
                         rightAxis.font, rightAxis.color, rightTitle.font, rightTitle.color,
                         bottomAxis.font, bottomAxis.color, bottomTitle.font, bottomTitle.color);

    QFont labelBase(QStringLiteral("Arial"), 9);
    labelBase.setBold(true);
    const ScreenFont info = FontFromText(options_.Font_RainModelInfo, labelBase,
                                         colours.color(QPalette::WindowText), colours);
    for (InfoLabel* label : infoLabels()) {
        label->setFont(info.font);
        QPalette labelColours = label->palette();
        labelColours.setColor(QPalette::WindowText, info.color);
        label->setPalette(labelColours);
        label->adjustSize();
    }
}

} // namespace velmora
