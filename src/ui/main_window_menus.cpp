#include "main_window.h"

#include "hyetograph_chart.h"
#include "maker.h"
#include "result_grid.h"

#include <QMenu>
#include <QMenuBar>

namespace velmora {

// Items whose commands come with later parts of the program are present and
// disabled; each part enables its own.
QAction* TFormQuorvel::addCommand(QMenu* menu, const QString& name, const QString& caption,
                                  bool available) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(available);
    return action;
}

void TFormQuorvel::connectPictureCommand(const char* name) {
    QAction* action = findChild<QAction*>(QString::fromLatin1(name));
    action->setEnabled(true);
    connect(action, &QAction::triggered, this,
            [this, action] { Menu_SavePicClick(action->data().toInt()); });
}

void TFormQuorvel::buildMainMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    addCommand(file, QStringLiteral("Menu_New1"), QStringLiteral("新建雨型..."));
    addCommand(file, QStringLiteral("Menu_Open1"), QStringLiteral("打开雨型..."));
    addCommand(file, QStringLiteral("Menu_Save1"), QStringLiteral("保存雨型"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    addCommand(file, QStringLiteral("Menu_SaveAs1"), QStringLiteral("雨型另存为..."));
    file->addSeparator();
    QAction* exit = addCommand(file, QStringLiteral("Menu_Exit"), QStringLiteral("退出"), true);
    connect(exit, &QAction::triggered, this, [this] { runCommand([this] { close(); }); });

    QAction* options = menuBar()->addAction(QStringLiteral("设置(&O)"));
    options->setObjectName(QStringLiteral("Menu_Options"));
    connect(options, &QAction::triggered, this, &TFormQuorvel::Menu_OptionsClick);

    QMenu* data = menuBar()->addMenu(QStringLiteral("数据(&D)"));
    addCommand(data, QStringLiteral("Menu_OutputResult1"), QStringLiteral("输出计算书..."));
    data->addSeparator();
    QMenu* pictures = data->addMenu(QStringLiteral("保存雨型图片"));
    addCommand(pictures, QStringLiteral("Menu_SaveBmp1"), QStringLiteral("保存图片(BMP格式)..."))->setData(1);
    addCommand(pictures, QStringLiteral("Menu_SaveJpg1"), QStringLiteral("保存图片(JPG格式)..."))->setData(2);
    addCommand(pictures, QStringLiteral("Menu_SavePng1"), QStringLiteral("保存图片(PNG格式)..."))->setData(3);
    QMenu* tables = data->addMenu(QStringLiteral("保存雨型数据"));
    addCommand(tables, QStringLiteral("MenuSaveDataToExcel1"), QStringLiteral("保存雨型数据(EXCEL格式)..."));
    addCommand(tables, QStringLiteral("MenuSaveDataToWord1"), QStringLiteral("保存雨型数据(WORD格式)..."));
    addCommand(tables, QStringLiteral("MenuSaveDataToSWMM1"), QStringLiteral("保存雨型数据(SWMM格式)..."));
    data->addSeparator();
    addCommand(data, QStringLiteral("Menu_OutputExcelPicData1"), QStringLiteral("输出Excel图表"));

    connectCommand("Menu_New1", &TFormQuorvel::ButtonNewRainModelClick);
    connectCommand("Menu_Open1", &TFormQuorvel::Menu_Open1Click);
    connectCommand("Menu_Save1", &TFormQuorvel::Menu_Save1Click);
    connectCommand("Menu_SaveAs1", &TFormQuorvel::Menu_SaveAs1Click);

    connectCommand("MenuSaveDataToExcel1", &TFormQuorvel::MenuSaveDataToExcelClick);
    connectCommand("MenuSaveDataToSWMM1", &TFormQuorvel::MenuSaveDataToSWMMClick);
    for (const char* name : {"Menu_SaveBmp1", "Menu_SaveJpg1", "Menu_SavePng1"})
        connectPictureCommand(name);

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    addCommand(help, QStringLiteral("Menu_help1"), QStringLiteral("帮助"));
    addCommand(help, QStringLiteral("Menu_Update"), QStringLiteral("检查更新..."));
    help->addSeparator();
    addCommand(help, QStringLiteral("Menu_AddQQ"),
               QStringLiteral("加Q群") + QStringLiteral(VELMORA_DISCUSSION_GROUP));
    addCommand(help, QStringLiteral("menu_kefu"), QStringLiteral("在线客服"));
    help->addSeparator();
    addCommand(help, QStringLiteral("Menu_About"), QStringLiteral("关于"));
}

void TFormQuorvel::buildContextMenus() {
    PopupMenu_Picture = new QMenu(this);
    PopupMenu_Picture->setObjectName(QStringLiteral("PopupMenu_Picture"));
    menu_Overall_Rainfall = addCommand(PopupMenu_Picture, QStringLiteral("menu_Overall_Rainfall"),
                                       QStringLiteral("显示总降雨量数据"), true);
    menu_Rainfall_Intensity = addCommand(PopupMenu_Picture, QStringLiteral("menu_Rainfall_Intensity"),
                                         QStringLiteral("显示降雨强度数据"), true);
    for (QAction* item : {menu_Overall_Rainfall, menu_Rainfall_Intensity}) {
        item->setCheckable(true);
        item->setChecked(true);
        connect(item, &QAction::triggered, this,
                [this] { CheckBox_Rainfall_IntensityClick(SwitchSender::Menu); });
    }
    PopupMenu_Picture->addSeparator();
    addCommand(PopupMenu_Picture, QStringLiteral("Menu_SaveBmp"), QStringLiteral("保存图片(BMP格式)..."))->setData(1);
    addCommand(PopupMenu_Picture, QStringLiteral("Menu_SaveJpg"), QStringLiteral("保存图片(JPG格式)..."))->setData(2);
    addCommand(PopupMenu_Picture, QStringLiteral("Menu_SavePng"), QStringLiteral("保存图片(PNG格式)..."))->setData(3);
    for (const char* name : {"Menu_SaveBmp", "Menu_SaveJpg", "Menu_SavePng"})
        connectPictureCommand(name);
    Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Chart1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu_Picture->popup(Chart1->mapToGlobal(at)); });

    PopupMenu_Grid = new QMenu(this);
    PopupMenu_Grid->setObjectName(QStringLiteral("PopupMenu_Grid"));
    addCommand(PopupMenu_Grid, QStringLiteral("MenuSaveDataToExcel"), QStringLiteral("保存雨型数据(EXCEL格式)..."));
    addCommand(PopupMenu_Grid, QStringLiteral("MenuSaveDataToWord"), QStringLiteral("保存雨型数据(WORD格式)..."));
    addCommand(PopupMenu_Grid, QStringLiteral("MenuSaveDataToSWMM"), QStringLiteral("保存雨型数据(SWMM格式)..."));
    connectCommand("MenuSaveDataToExcel", &TFormQuorvel::MenuSaveDataToExcelClick);
    connectCommand("MenuSaveDataToSWMM", &TFormQuorvel::MenuSaveDataToSWMMClick);
    GridData->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(GridData, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu_Grid->popup(GridData->viewport()->mapToGlobal(at));
    });
}

} // namespace velmora
