#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace velmora {

class ResultGrid;

// The right-hand side of the main window: the strip " 功能按钮" with the
// command buttons and the two series switches, then the strip
// " 雨型数据" over the result grid. The window connects the controls.
class CommandPanel final : public QWidget {
public:
    explicit CommandPanel(QWidget* parent = nullptr);

    QPushButton* newStormButton = nullptr;
    QPushButton* reportButton = nullptr;
    QPushButton* workbookButton = nullptr;
    QPushButton* addToComparisonButton = nullptr;
    QPushButton* clearComparisonButton = nullptr;
    QCheckBox* overallRainfallSwitch = nullptr;
    QCheckBox* rainfallIntensitySwitch = nullptr;
    ResultGrid* grid = nullptr;

private:
    QWidget* buildButtons();
};

} // namespace velmora
