#pragma once

#include "options.h"
#include "result.h"
#include "storm.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class Desktop;

// `TFormAddNewRainModel`: the storm-intensity formula as a fraction, in the
// intensity or the flow form, and the design values P, T, r and the step.
// Made once, so that the step keeps its last text. The q-i factor of
// `options` converts the coefficient entered into the other form.
class TFormAddNewRainModel final : public QDialog {
    Q_OBJECT
public:
    // Takes the storm confirmed with "确定", whole, and computes it; a storm
    // that cannot be computed is refused with the reason, and nothing changes.
    using StormTaker = std::function<Status(const TExpressionObject&)>;

    TFormAddNewRainModel(const TOptions& options, Desktop& desktop, StormTaker takeStorm,
                         QWidget* parent = nullptr);

    // Fills the fields from `current`; the step keeps its last text.
    void FormShow(const TExpressionObject& current);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildFormulaGroup();
    void buildDesignFields();
    void cbbStormTypeChange(int index);
    void ButtonOKClick();
    // The first empty or out-of-range field: its message shown and the field
    // focused. False when every check passed.
    bool refusedByChecks();
    bool refuse(QLineEdit* field, const QString& message);

    const TOptions& options_;
    Desktop& desktop_;
    StormTaker takeStorm_;

    QComboBox* cbbStormType = nullptr;
    QComboBox* ComboBox_LgLn = nullptr;
    QLineEdit* Edit_a1 = nullptr;
    QLineEdit* Edit_c = nullptr;
    QLineEdit* Edit_b = nullptr;
    QLineEdit* Edit_n = nullptr;
    QLabel* lblStormDanWei = nullptr;
    QLineEdit* EditRepeatYear = nullptr;
    QLineEdit* EditStormTime = nullptr;
    QLineEdit* EditStormPercent = nullptr;
    QLineEdit* EditStep = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonCancle = nullptr;
};

} // namespace velmora
