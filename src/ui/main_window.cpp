#include "main_window.h"

#include "application_setup.h"
#include "command_guard.h"
#include "command_panel.h"
#include "desktop.h"
#include "export_commands.h"
#include "help_commands.h"
#include "hyetograph_chart.h"
#include "maker.h"
#include "new_storm_dialog.h"
#include "result_grid.h"
#include "storm_chart_view.h"
#include "storm_session.h"
#include "window_memory_keeper.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>

namespace velmora {

namespace {

constexpr int ClientWidth = 800;
constexpr int ClientHeight = 480;
constexpr int RightPanelWidth = 248;
constexpr QSize ChartMinimumSize(320, 280);

} // namespace

TFormQuorvel::TFormQuorvel(StormSession& session, Desktop& desktop, QWidget* parent)
    : QMainWindow(parent), session_(&session), desktop_(desktop),
      memory_(std::make_unique<WindowMemoryKeeper>(session.optionsFileName(),
                                                   session.optionsFileBytes())) {
    setObjectName(QStringLiteral("FormQuorvel"));
    setAcceptDrops(true);
    setFont(WindowFont());
    buildLayout();
    buildMainMenu();
    buildContextMenus();
    connectChartAndGrid();

    setWindowTitle(QStringLiteral("Velmora Ver%1（%2）")
                       .arg(ProgramVersion, QStringLiteral(VELMORA_MAKER_ADDRESS)));
    ApplyOptionsToMainWindow();
    connectSession();
    RefreshHyetograph();

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    memory_->restore(*this, *Splitter1, *GridData, session_->options());
    sayWhenOptionsFileUnread();
}

// Options that could not be read are the defaults for this run; the person
// hears it once, when the window is up, rather than finding settings gone.
void TFormQuorvel::sayWhenOptionsFileUnread() {
    const Status& read = session_->optionsFileRead();
    if (read)
        return;
    AfterFirstPaint(*this, [this, reason = read.message()] {
        desktop_.showInformation(
            PromptTitle, QStringLiteral("无法读取设置文件，本次使用默认设置：\r\n") + reason);
    });
}

TFormQuorvel::~TFormQuorvel() = default;

void TFormQuorvel::closeEvent(QCloseEvent* event) {
    memory_->keep(*this, *Splitter1, *GridData);
    QMainWindow::closeEvent(event);
}

QImage TFormQuorvel::ChartPicture(const QSize& size, qreal pixelRatio) {
    return Chart1->picture(size, pixelRatio);
}

void TFormQuorvel::buildLayout() {
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);

    Chart1 = new HyetographChart(Splitter1);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    // Room for both axes with their titles and the five labels.
    Chart1->setMinimumSize(ChartMinimumSize);
    exports_ = new ExportCommands(*session_, desktop_, *memory_, *Chart1, this);
    chartView_ = std::make_unique<StormChartView>(*Chart1);

    Splitter1->addWidget(Chart1);
    Splitter1->addWidget(buildRightPanel());
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({ClientWidth - RightPanelWidth - 2, RightPanelWidth});
    setCentralWidget(Splitter1);
}

QWidget* TFormQuorvel::buildRightPanel() {
    // The panel is never narrower than its buttons, its switches and the
    // grid's three columns need. It is made inside the window, so that its
    // captions are measured in the window's font at once, not first in the
    // application's (which loaded three faces the window never shows).
    auto* panel = new CommandPanel(Splitter1);
    GridData = panel->grid;
    CheckBox_Overall_Rainfall = panel->overallRainfallSwitch;
    CheckBox_Rainfall_Intensity = panel->rainfallIntensitySwitch;
    connect(panel->newStormButton, &QPushButton::clicked, this,
            &TFormQuorvel::ButtonNewRainModelClick);
    connect(panel->reportButton, &QPushButton::clicked, exports_,
            &ExportCommands::Button_OutputResultClick);
    connect(panel->workbookButton, &QPushButton::clicked, exports_,
            &ExportCommands::btn_OutputExcelPicDataClick);
    connect(panel->addToComparisonButton, &QPushButton::clicked, this,
            &TFormQuorvel::Menu_AddToComparisonClick);
    connect(panel->clearComparisonButton, &QPushButton::clicked, this,
            &TFormQuorvel::Menu_ClearComparisonClick);
    for (QCheckBox* box : {CheckBox_Overall_Rainfall, CheckBox_Rainfall_Intensity})
        connect(box, &QCheckBox::clicked, this,
                [this] { SeriesSwitchClick(SwitchSender::CheckBox); });
    return panel;
}

void TFormQuorvel::runCommand(const std::function<Status()>& command) {
    if (session_)
        RunCommand(desktop_, command);
}

} // namespace velmora
