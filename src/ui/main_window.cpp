#include "main_window.h"

#include "command_guard.h"
#include "desktop.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "maker.h"
#include "new_storm_dialog.h"
#include "number_text.h"
#include "options_file.h"
#include "result_grid.h"
#include "settings_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>

namespace velmora {

namespace {

constexpr int ClientWidth = 800;
constexpr int ClientHeight = 480;
constexpr int RightPanelWidth = 248;

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

template <typename Widget>
Widget* Placed(Widget* widget, const QString& name, int x, int y) {
    widget->setObjectName(name);
    widget->move(x, y);
    return widget;
}

} // namespace

TFormQuorvel::TFormQuorvel(Desktop& desktop, const QString& settingsBase, QWidget* parent)
    : QMainWindow(parent), desktop_(desktop) {
    setObjectName(QStringLiteral("FormQuorvel"));
    setFont(QFont(QStringLiteral("宋体"), 9));
    buildLayout();
    buildMainMenu();
    buildContextMenus();
    connectChartAndGrid();
    startUp(settingsBase);
}

TFormQuorvel::~TFormQuorvel() = default;

void TFormQuorvel::buildLayout() {
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(2);
    splitter->setChildrenCollapsible(false);

    Chart1 = new HyetographChart(splitter);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    Label_P = new InfoLabel(Chart1, {100, 96});
    Label_T = new InfoLabel(Chart1, {100, 118});
    Label_r = new InfoLabel(Chart1, {100, 140});
    Label_Overall_Rainfall = new InfoLabel(Chart1, {100, 162});
    Label_Average_Rainfall_Intensity = new InfoLabel(Chart1, {100, 184});
    Label_P->setObjectName(QStringLiteral("Label_P"));
    Label_T->setObjectName(QStringLiteral("Label_T"));
    Label_r->setObjectName(QStringLiteral("Label_r"));
    Label_Overall_Rainfall->setObjectName(QStringLiteral("Label_Overall_Rainfall"));
    Label_Average_Rainfall_Intensity->setObjectName(QStringLiteral("Label_Average_Rainfall_Intensity"));

    splitter->addWidget(Chart1);
    splitter->addWidget(buildRightPanel());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({ClientWidth - RightPanelWidth - 2, RightPanelWidth});
    setCentralWidget(splitter);
}

QWidget* TFormQuorvel::buildRightPanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("PanelRight"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(1);
    layout->addWidget(TitleStrip(QStringLiteral(" 功能按钮"), panel));

    auto* buttons = new QWidget(panel);
    buttons->setFixedHeight(64);
    auto* newStorm = Placed(new QPushButton(QStringLiteral("新建雨型"), buttons),
                            QStringLiteral("ButtonNewRainModel"), 6, 5);
    auto* report = Placed(new QPushButton(QStringLiteral("计算书"), buttons),
                          QStringLiteral("Button_OutputResult"), 78, 5);
    auto* workbook = Placed(new QPushButton(QStringLiteral("输出Excel图表"), buttons),
                            QStringLiteral("btn_OutputExcelPicData"), 6, 33);
    newStorm->setFixedSize(68, 25);
    report->setFixedSize(68, 25);
    workbook->setFixedSize(140, 25);
    connect(newStorm, &QPushButton::clicked, this, &TFormQuorvel::ButtonNewRainModelClick);
    // Their commands come with the report and the workbook.
    for (QPushButton* button : {report, workbook})
        button->setEnabled(false);

    CheckBox_Overall_Rainfall = Placed(new QCheckBox(QStringLiteral("降雨总量"), buttons),
                                       QStringLiteral("CheckBox_Overall_Rainfall"), 151, 9);
    CheckBox_Rainfall_Intensity = Placed(new QCheckBox(QStringLiteral("降雨强度"), buttons),
                                         QStringLiteral("CheckBox_Rainfall_Intensity"), 151, 37);
    for (QCheckBox* box : {CheckBox_Overall_Rainfall, CheckBox_Rainfall_Intensity}) {
        box->setChecked(true);
        box->adjustSize();
        connect(box, &QCheckBox::clicked, this,
                [this] { CheckBox_Rainfall_IntensityClick(SwitchSender::CheckBox); });
    }
    layout->addWidget(buttons);

    layout->addWidget(TitleStrip(QStringLiteral(" 雨型数据"), panel));
    GridData = new ResultGrid(panel);
    GridData->setObjectName(QStringLiteral("GridData"));
    layout->addWidget(GridData, 1);
    panel->setMinimumWidth(RightPanelWidth / 2);
    return panel;
}

void TFormQuorvel::startUp(const QString& settingsBase) {
    const QString settingsFolder = EnsureSettingsFolder(settingsBase);
    optionsFileName_ = settingsFolder.isEmpty() ? QString() : settingsFolder + OptionsFileBaseName;
    options_ = LoadOptions(optionsFileName_, UserDecimalSeparator());
    setWindowTitle(QStringLiteral("Velmora Ver2.11（%1）").arg(QStringLiteral(VELMORA_MAKER_ADDRESS)));
    ApplyOptionsToMainWindow();
    programFolder_ = QCoreApplication::applicationDirPath();
    if (!programFolder_.endsWith(QLatin1Char('/')))
        programFolder_ += QLatin1Char('/');
    // The dialog is made once; making it writes the default storm.
    newStormDialog_ = new TFormAddNewRainModel(storm_, options_, desktop_, this);
    RefreshHyetograph();

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

std::array<InfoLabel*, 5> TFormQuorvel::infoLabels() const {
    return {Label_P, Label_T, Label_r, Label_Overall_Rainfall, Label_Average_Rainfall_Intensity};
}

void TFormQuorvel::connectCommand(const char* name, void (TFormQuorvel::*handler)()) {
    QAction* action = findChild<QAction*>(QString::fromLatin1(name));
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, handler);
}

void TFormQuorvel::runCommand(const std::function<void()>& command) {
    RunCommand(desktop_, command);
}

} // namespace velmora
