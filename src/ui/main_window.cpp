#include "main_window.h"

#include "command_guard.h"
#include "command_panel.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "maker.h"
#include "new_storm_dialog.h"
#include "result_grid.h"
#include "storm_session.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>

namespace velmora {

namespace {

constexpr int ClientWidth = 800;
constexpr int ClientHeight = 480;
constexpr int RightPanelWidth = 248;

} // namespace

TFormQuorvel::TFormQuorvel(StormSession& session, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), session_(session), desktop_(desktop), updateServer_(MakerUpdateServer()),
      manualFolders_(DefaultManualFolders()) {
    setObjectName(QStringLiteral("FormQuorvel"));
    setAcceptDrops(true);
    setFont(QFont(QStringLiteral("宋体"), 9));
    buildLayout();
    buildMainMenu();
    buildContextMenus();
    connectChartAndGrid();

    setWindowTitle(QStringLiteral("Velmora Ver2.11（%1）").arg(QStringLiteral(VELMORA_MAKER_ADDRESS)));
    ApplyOptionsToMainWindow();
    // The dialog is made once and keeps the step last entered.
    newStormDialog_ = new TFormAddNewRainModel(session_.options(), desktop_, this);
    connectSession();
    RefreshHyetograph();

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    restoreWindowMemory();
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
    infoLabels_ = {Label_P, Label_T, Label_r, Label_Overall_Rainfall, Label_Average_Rainfall_Intensity};

    splitter->addWidget(Chart1);
    splitter->addWidget(buildRightPanel());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({ClientWidth - RightPanelWidth - 2, RightPanelWidth});
    setCentralWidget(splitter);
}

QWidget* TFormQuorvel::buildRightPanel() {
    auto* panel = new CommandPanel;
    panel->setMinimumWidth(RightPanelWidth / 2);
    GridData = panel->grid;
    CheckBox_Overall_Rainfall = panel->overallRainfallSwitch;
    CheckBox_Rainfall_Intensity = panel->rainfallIntensitySwitch;
    connect(panel->newStormButton, &QPushButton::clicked, this, &TFormQuorvel::ButtonNewRainModelClick);
    connect(panel->reportButton, &QPushButton::clicked, this, &TFormQuorvel::Button_OutputResultClick);
    connect(panel->workbookButton, &QPushButton::clicked, this, &TFormQuorvel::btn_OutputExcelPicDataClick);
    for (QCheckBox* box : {CheckBox_Overall_Rainfall, CheckBox_Rainfall_Intensity})
        connect(box, &QCheckBox::clicked, this, [this] { SeriesSwitchClick(SwitchSender::CheckBox); });
    return panel;
}

void TFormQuorvel::enableCommand(QAction* action, void (TFormQuorvel::*handler)()) {
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, handler);
}

void TFormQuorvel::runCommand(const std::function<Status()>& command) {
    RunCommand(desktop_, command);
}

} // namespace velmora
