#include "main_window.h"

#include "hyetograph_chart.h"
#include "maker.h"
#include "result_grid.h"

#include <QMenu>
#include <QMenuBar>

namespace velmora {

// Items whose commands come with later parts of the program are present and
// disabled; each part enables its own.
QAction* TFormQuorvel::addCommand(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setEnabled(false);
    return action;
}

void TFormQuorvel::enablePictureCommand(QAction* action) {
    action->setEnabled(true);
    connect(action, &QAction::triggered, this,
            [this, action] { Menu_SavePicClick(action->data().toInt()); });
}

// The three picture items, in the data menu and in the chart's menu; their
// names end in `suffix`.
void TFormQuorvel::addPictureCommands(QMenu* menu, const QString& suffix) {
    const struct {
        const char* name;
        const char* caption;
    } items[] = {{"Menu_SaveBmp", "保存图片(BMP格式)..."},
                 {"Menu_SaveJpg", "保存图片(JPG格式)..."},
                 {"Menu_SavePng", "保存图片(PNG格式)..."}};
    int tag = 1;
    for (const auto& item : items) {
        QAction* action = addCommand(menu, QString::fromLatin1(item.name) + suffix, QString::fromUtf8(item.caption));
        action->setData(tag++);
        enablePictureCommand(action);
    }
}

// The three table items, in the data menu and in the grid's menu.
void TFormQuorvel::addDataCommands(QMenu* menu, const QString& suffix) {
    enableCommand(addCommand(menu, QStringLiteral("MenuSaveDataToExcel") + suffix,
                             QStringLiteral("保存雨型数据(EXCEL格式)...")),
                  &TFormQuorvel::MenuSaveDataToExcelClick);
    enableCommand(addCommand(menu, QStringLiteral("MenuSaveDataToWord") + suffix,
                             QStringLiteral("保存雨型数据(WORD格式)...")),
                  &TFormQuorvel::MenuSaveDataToWordClick);
    enableCommand(addCommand(menu, QStringLiteral("MenuSaveDataToSWMM") + suffix,
                             QStringLiteral("保存雨型数据(SWMM格式)...")),
                  &TFormQuorvel::MenuSaveDataToSWMMClick);
}

void TFormQuorvel::buildMainMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    enableCommand(addCommand(file, QStringLiteral("Menu_New1"), QStringLiteral("新建雨型...")),
                  &TFormQuorvel::ButtonNewRainModelClick);
    enableCommand(addCommand(file, QStringLiteral("Menu_Open1"), QStringLiteral("打开雨型...")),
                  &TFormQuorvel::Menu_Open1Click);
    QAction* save = addCommand(file, QStringLiteral("Menu_Save1"), QStringLiteral("保存雨型"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    enableCommand(save, &TFormQuorvel::Menu_Save1Click);
    enableCommand(addCommand(file, QStringLiteral("Menu_SaveAs1"), QStringLiteral("雨型另存为...")),
                  &TFormQuorvel::Menu_SaveAs1Click);
    file->addSeparator();
    QAction* exit = addCommand(file, QStringLiteral("Menu_Exit"), QStringLiteral("退出"));
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QAction* options = menuBar()->addAction(QStringLiteral("设置(&O)"));
    options->setObjectName(QStringLiteral("Menu_Options"));
    connect(options, &QAction::triggered, this, &TFormQuorvel::Menu_OptionsClick);

    QMenu* data = menuBar()->addMenu(QStringLiteral("数据(&D)"));
    enableCommand(addCommand(data, QStringLiteral("Menu_outputResult"), QStringLiteral("输出计算书...")),
                  &TFormQuorvel::Button_OutputResultClick);
    data->addSeparator();
    QMenu* pictures = data->addMenu(QStringLiteral("保存雨型图片"));
    addPictureCommands(pictures, QStringLiteral("1"));
    QMenu* tables = data->addMenu(QStringLiteral("保存雨型数据"));
    addDataCommands(tables, QStringLiteral("1"));
    data->addSeparator();
    enableCommand(addCommand(data, QStringLiteral("mni_OutputExcelPicData"), QStringLiteral("输出Excel图表")),
                  &TFormQuorvel::btn_OutputExcelPicDataClick);

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    enableCommand(addCommand(help, QStringLiteral("Menu_help1"), QStringLiteral("帮助")),
                  &TFormQuorvel::Menu_help1Click);
    Menu_Update = addCommand(help, QStringLiteral("Menu_Update"), QStringLiteral("检查更新..."));
    enableCommand(Menu_Update, &TFormQuorvel::Menu_UpdateClick);
    help->addSeparator();
    enableCommand(addCommand(help, QStringLiteral("Menu_AddQQ"),
                             QStringLiteral("加Q群") + QStringLiteral(VELMORA_DISCUSSION_GROUP)),
                  &TFormQuorvel::Menu_AddQQClick);
    enableCommand(addCommand(help, QStringLiteral("menu_kefu"), QStringLiteral("在线客服")),
                  &TFormQuorvel::menu_kefuClick);
    help->addSeparator();
    enableCommand(addCommand(help, QStringLiteral("Menu_About"), QStringLiteral("关于")),
                  &TFormQuorvel::Menu_AboutClick);
}

void TFormQuorvel::buildContextMenus() {
    PopupMenu_Picture = new QMenu(this);
    PopupMenu_Picture->setObjectName(QStringLiteral("PopupMenu_Picture"));
    menu_Overall_Rainfall = addCommand(PopupMenu_Picture, QStringLiteral("menu_Overall_Rainfall"),
                                       QStringLiteral("显示总降雨量数据"));
    menu_Rainfall_Intensity = addCommand(PopupMenu_Picture, QStringLiteral("menu_Rainfall_Intensity"),
                                         QStringLiteral("显示降雨强度数据"));
    for (QAction* item : {menu_Overall_Rainfall, menu_Rainfall_Intensity}) {
        item->setEnabled(true);
        item->setCheckable(true);
        item->setChecked(true);
        connect(item, &QAction::triggered, this, [this] { SeriesSwitchClick(SwitchSender::Menu); });
    }
    PopupMenu_Picture->addSeparator();
    addPictureCommands(PopupMenu_Picture, QString());
    Chart1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Chart1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu_Picture->popup(Chart1->mapToGlobal(at)); });

    PopupMenu_Grid = new QMenu(this);
    PopupMenu_Grid->setObjectName(QStringLiteral("PopupMenu_Grid"));
    addDataCommands(PopupMenu_Grid, QString());
    PopupMenu_Grid->addSeparator();
    QAction* copy = PopupMenu_Grid->addAction(QStringLiteral("复制全部数据"));
    copy->setObjectName(QStringLiteral("MenuCopyAllData"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, GridData, &ResultGrid::copyAll);
    GridData->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(GridData, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu_Grid->popup(GridData->viewport()->mapToGlobal(at));
    });
}

} // namespace velmora
