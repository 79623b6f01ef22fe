// The main menu and the context menus of the chart and the grid.

#include "main_window.h"

#include "export_commands.h"
#include "help_commands.h"
#include "hyetograph_chart.h"
#include "menu_command.h"
#include "result_grid.h"
#include "storm_session.h"
#include "swmm_model_command.h"

#include <QMenuBar>

namespace velmora {

void TFormQuorvel::buildMainMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    AddMenuCommand(file, QStringLiteral("Menu_New1"), QStringLiteral("新建雨型..."), this,
                   &TFormQuorvel::ButtonNewRainModelClick);
    AddMenuCommand(file, QStringLiteral("Menu_Open1"), QStringLiteral("打开雨型..."), this,
                   &TFormQuorvel::Menu_Open1Click);
    AddMenuCommand(file, QStringLiteral("Menu_Save1"), QStringLiteral("保存雨型"), this,
                   &TFormQuorvel::Menu_Save1Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    AddMenuCommand(file, QStringLiteral("Menu_SaveAs1"), QStringLiteral("雨型另存为..."), this,
                   &TFormQuorvel::Menu_SaveAs1Click);
    file->addSeparator();
    AddMenuCommand(file, QStringLiteral("Menu_Exit"), QStringLiteral("退出"), this,
                   &QWidget::close);

    QAction* options = menuBar()->addAction(QStringLiteral("设置(&O)"));
    options->setObjectName(QStringLiteral("Menu_Options"));
    connect(options, &QAction::triggered, this, &TFormQuorvel::Menu_OptionsClick);

    QMenu* data = menuBar()->addMenu(QStringLiteral("数据(&D)"));
    AddMenuCommand(data, QStringLiteral("Menu_outputResult"), QStringLiteral("输出计算书..."),
                   exports_, &ExportCommands::Button_OutputResultClick);
    data->addSeparator();
    exports_->addPictureCommands(data->addMenu(QStringLiteral("保存雨型图片")),
                                 QStringLiteral("1"));
    exports_->addDataCommands(data->addMenu(QStringLiteral("保存雨型数据")), QStringLiteral("1"));
    swmmModel_ = new SwmmModelCommand(*session_, desktop_, *memory_, this);
    AddMenuCommand(data, QStringLiteral("Menu_WriteIntoSwmmModel"),
                   QStringLiteral("写入SWMM模型..."), swmmModel_,
                   &SwmmModelCommand::Menu_WriteIntoSwmmModelClick);
    data->addSeparator();
    AddMenuCommand(data, QStringLiteral("mni_OutputExcelPicData"), QStringLiteral("输出Excel图表"),
                   exports_, &ExportCommands::btn_OutputExcelPicDataClick);
    data->addSeparator();
    AddMenuCommand(data, QStringLiteral("Menu_IdfCheck"), QStringLiteral("雨型校核..."), this,
                   &TFormQuorvel::Menu_IdfCheckClick);
    AddMenuCommand(data, QStringLiteral("Menu_FormulaFit"), QStringLiteral("暴雨强度公式推求..."),
                   this, &TFormQuorvel::Menu_FormulaFitClick);
    data->addSeparator();
    AddMenuCommand(data, QStringLiteral("Menu_AddToComparison"), QStringLiteral("加入对比"), this,
                   &TFormQuorvel::Menu_AddToComparisonClick);
    AddMenuCommand(data, QStringLiteral("Menu_ClearComparison"), QStringLiteral("清除对比"), this,
                   &TFormQuorvel::Menu_ClearComparisonClick);
    AddMenuCommand(data, QStringLiteral("Menu_SaveComparisonCsv"),
                   QStringLiteral("保存对比数据(CSV格式)..."), exports_,
                   &ExportCommands::Menu_SaveComparisonCsvClick);

    help_ = new HelpCommands(desktop_, this);
}

void TFormQuorvel::buildContextMenus() {
    PopupMenu_Picture = new QMenu(this);
    PopupMenu_Picture->setObjectName(QStringLiteral("PopupMenu_Picture"));
    menu_Overall_Rainfall =
        AddMenuCommand(PopupMenu_Picture, QStringLiteral("menu_Overall_Rainfall"),
                       QStringLiteral("显示总降雨量数据"), this,
                       [this] { SeriesSwitchClick(SwitchSender::Menu); });
    menu_Rainfall_Intensity =
        AddMenuCommand(PopupMenu_Picture, QStringLiteral("menu_Rainfall_Intensity"),
                       QStringLiteral("显示降雨强度数据"), this,
                       [this] { SeriesSwitchClick(SwitchSender::Menu); });
    for (QAction* item : {menu_Overall_Rainfall, menu_Rainfall_Intensity}) {
        item->setCheckable(true);
        item->setChecked(true);
    }
    PopupMenu_Picture->addSeparator();
    exports_->addPictureCommands(PopupMenu_Picture, QString());
    Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Chart1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu_Picture->popup(Chart1->mapToGlobal(at)); });

    PopupMenu_Grid = new QMenu(this);
    PopupMenu_Grid->setObjectName(QStringLiteral("PopupMenu_Grid"));
    exports_->addDataCommands(PopupMenu_Grid, QString());
    PopupMenu_Grid->addSeparator();
    AddMenuCommand(PopupMenu_Grid, QStringLiteral("MenuCopyAllData"),
                   QStringLiteral("复制全部数据"), GridData, &ResultGrid::copyAll)
        ->setShortcut(QKeySequence::Copy);
    GridData->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(GridData, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu_Grid->popup(GridData->viewport()->mapToGlobal(at));
    });
}

} // namespace velmora
