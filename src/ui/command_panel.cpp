#include "command_panel.h"

#include "result_grid.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora {

namespace {

QLabel* TitleStrip(const QString& caption, QWidget* parent) {
    auto* strip = new QLabel(caption, parent);
    strip->setFixedHeight(20);
    strip->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    strip->setAutoFillBackground(true);
    QPalette colours = strip->palette();
    colours.setColor(QPalette::Window, QColor(166, 202, 240)); // sky blue
    colours.setColor(QPalette::WindowText, QColor(128, 0, 0)); // maroon
    strip->setPalette(colours);
    return strip;
}

template <typename Widget> Widget* Placed(Widget* widget, const QString& name, QRect geometry) {
    widget->setObjectName(name);
    widget->move(geometry.topLeft());
    if (geometry.isValid())
        widget->setFixedSize(geometry.size());
    else
        widget->adjustSize();
    return widget;
}

// The buttons and switches stand where they were designed. The switches take
// the width of their captions in the font they are shown in (which the window
// gives them after they were made), and the area never gets narrower than its
// furthest control, so that no caption is cut.
class ButtonArea final : public QWidget {
public:
    using QWidget::QWidget;

    QSize minimumSizeHint() const override {
        int right = 0;
        for (const QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            right = std::max(right, control->geometry().right() + 1);
        return {right + RightMargin, height()};
    }

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) {
            for (QCheckBox* box : findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly))
                box->adjustSize();
            updateGeometry();
        }
        QWidget::changeEvent(event);
    }

private:
    static constexpr int RightMargin = 6; // as the buttons keep from the left edge
};

} // namespace

CommandPanel::CommandPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PanelRight"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(1);
    layout->addWidget(TitleStrip(QStringLiteral(" 功能按钮"), this));
    layout->addWidget(buildButtons());
    layout->addWidget(TitleStrip(QStringLiteral(" 雨型数据"), this));
    grid = new ResultGrid(this);
    grid->setObjectName(QStringLiteral("GridData"));
    layout->addWidget(grid, 1);
}

QWidget* CommandPanel::buildButtons() {
    auto* buttons = new ButtonArea(this);
    buttons->setFixedHeight(92);
    newStormButton = Placed(new QPushButton(QStringLiteral("新建雨型"), buttons),
                            QStringLiteral("ButtonNewRainModel"), {6, 5, 68, 25});
    reportButton = Placed(new QPushButton(QStringLiteral("计算书"), buttons),
                          QStringLiteral("Button_OutputResult"), {78, 5, 68, 25});
    workbookButton = Placed(new QPushButton(QStringLiteral("输出Excel图表"), buttons),
                            QStringLiteral("btn_OutputExcelPicData"), {6, 33, 140, 25});
    addToComparisonButton = Placed(new QPushButton(QStringLiteral("加入对比"), buttons),
                                   QStringLiteral("Button_AddToComparison"), {6, 61, 68, 25});
    clearComparisonButton = Placed(new QPushButton(QStringLiteral("清除对比"), buttons),
                                   QStringLiteral("Button_ClearComparison"), {78, 61, 68, 25});
    overallRainfallSwitch = Placed(new QCheckBox(QStringLiteral("降雨总量"), buttons),
                                   QStringLiteral("CheckBox_Overall_Rainfall"), {151, 9, 0, 0});
    rainfallIntensitySwitch =
        Placed(new QCheckBox(QStringLiteral("降雨强度"), buttons),
               QStringLiteral("CheckBox_Rainfall_Intensity"), {151, 37, 0, 0});
    overallRainfallSwitch->setChecked(true);
    rainfallIntensitySwitch->setChecked(true);
    return buttons;
}

} // namespace velmora
