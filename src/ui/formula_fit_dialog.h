#pragma once

#include "intensity_formulas.h"
#include "rain_data_fit.h"
#include "result.h"

#include <QDialog>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace velmora {

class Desktop;
class FormulaFitChart;
class WindowMemoryKeeper;

// "暴雨强度公式推求": the formula i = A1(1 + C·lg P)/(t + b)^n worked out from
// a table of intensities or from annual maxima, opened from a file or pasted.
// Shows the coefficients, the result tables (accuracy with its marks, each
// period's formula, the distributions) and a chart of the table's points and
// the fitted curves; "复制" puts it all on the clipboard tab-separated, and
// "用于新建雨型" hands the formula to the new-storm dialog. Nothing of the
// current storm or the options changes here.
class FormulaFitDialog final : public QDialog {
    Q_OBJECT
public:
    // Shows `formula` in the new-storm dialog; true when the person confirmed
    // a storm there.
    using FormulaUser = std::function<bool(const TTotalFormula&)>;

    // `qiRatio` converts a table in q; files are opened where rain data was
    // opened last (`memory`).
    FormulaFitDialog(double qiRatio, Desktop& desktop, WindowMemoryKeeper& memory,
                     FormulaUser useFormula, QWidget* parent = nullptr);

    // "打开文件...": the file's text replaces the data.
    void openFile();
    // "粘贴": the clipboard's text replaces the data.
    void pasteText();
    // "推求": reads the data with the choices and fits it; a failure is shown
    // with its reason and leaves no results.
    void fit();
    // "复制": the formula and the tables, tab-separated.
    void copyResults() const;
    // "用于新建雨型": the new-storm dialog with the formula as shown (6
    // significant digits); closes this dialog once a storm was confirmed there.
    void useForNewStorm();

    const std::optional<TRainDataFit>& shownFit() const { return fit_; }

private:
    QWidget* buildData();
    QWidget* buildChoices();
    QWidget* buildResults();
    void kindChanged();
    // The data or a choice changed: the results shown no longer belong to them.
    void dropResults();
    void showResults();
    Result<TRainDataFitChoices> choices() const;
    QString resultsText() const;

    const double qiRatio_;
    Desktop& desktop_;
    WindowMemoryKeeper& memory_;
    FormulaUser useFormula_;
    std::optional<TRainDataFit> fit_;

    QRadioButton* Radio_Table = nullptr;
    QRadioButton* Radio_Maxima = nullptr;
    QLabel* Label_DataLayout = nullptr;
    QPlainTextEdit* Edit_Data = nullptr;
    QComboBox* ComboBox_Unit = nullptr;
    QComboBox* ComboBox_LgLn = nullptr;
    QLineEdit* Edit_Periods = nullptr;
    QComboBox* ComboBox_Distribution = nullptr;
    QLabel* Label_Formula = nullptr;
    QLabel* Label_Accuracy = nullptr;
    QTabWidget* Tabs_Results = nullptr;
    FormulaFitChart* Chart_Fit = nullptr;
    QCheckBox* CheckBox_LogAxes = nullptr;
    QPushButton* Button_Copy = nullptr;
    QPushButton* Button_UseForNewStorm = nullptr;
};

} // namespace velmora
