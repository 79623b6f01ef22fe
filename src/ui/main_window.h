#pragma once

#include "result.h"
#include "storm.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QMenu;
class QSplitter;

namespace velmora {

class Desktop;
class ExportCommands;
class HelpCommands;
class HyetographChart;
class ResultGrid;
class StormChartView;
class StormSession;
class SwmmModelCommand;
class TFormAddNewRainModel;
class WindowMemoryKeeper;

// The main window `TFormQuorvel`: the chart on the left, the buttons and the
// result grid on the right. A view of the session: it forwards each command,
// asks the person through the desktop, and redraws when the session reports
// a change. The exports and the Help menu are command objects of their own.
class TFormQuorvel final : public QMainWindow {
    Q_OBJECT
public:
    // Who started the series switch: the check boxes, the chart's context
    // menu, or the program itself.
    enum class SwitchSender { CheckBox, Menu, None };

    // Shows `session`'s storm computed, with its options. Either may be
    // destroyed first: a window whose session is gone hides, shows nothing of
    // it and does nothing more.
    TFormQuorvel(StormSession& session, Desktop& desktop, QWidget* parent = nullptr);
    ~TFormQuorvel() override;

    // Computes the storm again and shows the result (or why there is none).
    void RefreshHyetograph();
    void ShowHyetographTable();
    // Shows the series the switches say and saves the switches when they
    // changed; a failed save is returned.
    Status HideSomeSeries(SwitchSender sender);
    void ApplyOptionsToMainWindow();

    // The storm commands: the new-storm dialog and the storm file.
    void ButtonNewRainModelClick();
    void Menu_Open1Click();
    void Menu_Save1Click();
    void Menu_SaveAs1Click();
    // Opens a storm file named on the command line or dropped on the window.
    void OpenStormFile(const QString& path);
    // Writes the current storm; an empty name asks for one. False when the
    // person chose no name, the failure when the file could not be written.
    Result<bool> SaveRainModel(const QString& fileName);

    void Menu_OptionsClick();
    // "雨型校核...": the storm checked against its formula, in a dialog.
    void Menu_IdfCheckClick();
    // "暴雨强度公式推求...": the formula worked out from rain data, which may
    // go on to the new-storm dialog.
    void Menu_FormulaFitClick();
    // "加入对比" and "清除对比": the current storm joins the compared ones, or
    // they all go.
    void Menu_AddToComparisonClick();
    void Menu_ClearComparisonClick();

    // The chart as shown, or drawn at `size` for a document (`pixelRatio`
    // pixels for each one of the screen's); with the labels.
    QImage ChartPicture(const QSize& size = QSize(), qreal pixelRatio = 1);
    HelpCommands& helpCommands() { return *help_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildLayout();
    void sayWhenOptionsFileUnread();
    QWidget* buildRightPanel();
    void buildMainMenu();
    void buildContextMenus();
    void connectSession();
    void connectChartAndGrid();

    // Both series switches (check boxes and context-menu items) come here.
    void SeriesSwitchClick(SwitchSender sender);
    void Chart1MouseMove();
    void showPointValues(int index);
    // A click on a point of either series.
    void SeriesPointClick(int index);
    void GridDataClick(int gridRow);
    void releaseTable();
    // The session went first: the window lets go of it and takes no more commands.
    void detachFromSession();
    void showTableAndLabels();
    void showSwitchesFromOptions();
    void showComparison();
    void runCommand(const std::function<Status()>& command);
    // The new-storm dialog showing `shown`; true when a storm was confirmed.
    bool runNewStormDialog(const TExpressionObject& shown);

    // Null once the session is gone: every command and redraw checks it.
    QPointer<StormSession> session_;
    Desktop& desktop_;
    std::unique_ptr<WindowMemoryKeeper> memory_;
    ExportCommands* exports_ = nullptr;
    HelpCommands* help_ = nullptr;
    SwmmModelCommand* swmmModel_ = nullptr;

    QSplitter* Splitter1 = nullptr;
    HyetographChart* Chart1 = nullptr;
    ResultGrid* GridData = nullptr;
    std::unique_ptr<StormChartView> chartView_;
    QCheckBox* CheckBox_Overall_Rainfall = nullptr;
    QCheckBox* CheckBox_Rainfall_Intensity = nullptr;
    QAction* menu_Overall_Rainfall = nullptr;
    QAction* menu_Rainfall_Intensity = nullptr;
    TFormAddNewRainModel* newStormDialog_ = nullptr;
    QMenu* PopupMenu_Picture = nullptr;
    QMenu* PopupMenu_Grid = nullptr;
};

} // namespace velmora
