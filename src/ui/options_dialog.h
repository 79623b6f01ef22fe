#pragma once

#include "font_text.h"
#include "options.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

namespace velmora {

class Desktop;

// `TFormOptions`: every option, with live preview. Each change is copied into
// the dialog's options at once and handed to `preview`; the caller saves,
// reloads and refreshes when the dialog has closed.
class TFormOptions final : public QDialog {
    Q_OBJECT
public:
    TFormOptions(const TOptions& options, Desktop& desktop,
                 std::function<void(const TOptions&)> preview, QWidget* parent = nullptr);

    // Copies every control into the options and previews them (not while the
    // controls are filled).
    void ReadOptionsFromDialog();
    // The options as the dialog's controls set them.
    const TOptions& chosenOptions() const { return options_; }

    // The q-i list entry of a factor: the first of QIConversionRatios within
    // 1e-12 (relative to the smaller magnitude when that is larger), else 0.
    static int QIRatioIndex(double ratio);

private:
    struct FontRow {
        QLabel* preview = nullptr;
        QString TOptions::*field = nullptr;
        TFontDescription font;
    };

    void buildDisplayGroups();
    void buildCalculationGroups();
    void buildFontGroup();
    void FormCreate();
    void ComboBox_TimeForamtChange();
    void btn_SelectFontClick(int tag);
    void showPreview(FontRow& row);

    TOptions options_;
    Desktop& desktop_;
    std::function<void(const TOptions&)> preview_;
    bool OptionsDialogLoading = false;

    std::array<QCheckBox*, 7> showBoxes_{};
    QCheckBox* CheckBox_CalcByShow = nullptr;
    QCheckBox* CheckBox_IntervalAverage = nullptr;
    QCheckBox* CheckBox_ReportIdfCheck = nullptr;
    QSpinBox* SpinEdit_Precision = nullptr;
    QComboBox* ComboBox_TimeForamt = nullptr;
    QComboBox* ComboBox_StormUnit = nullptr;
    QComboBox* ComboBox_QI_ConversionRatio = nullptr;
    std::array<FontRow, 7> fontRows_{};
};

} // namespace velmora
