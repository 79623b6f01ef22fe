#pragma once

#include "export_format.h"
#include "result.h"
#include "window_memory.h"
#include "help_links.h"
#include "update_query.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QMenu;

namespace velmora {

class Desktop;
struct FileDialogRequest;
class HyetographChart;
class InfoLabel;
class ResultGrid;
class StormSession;
class TFormAbout;
class TFormAddNewRainModel;

// The main window `TFormQuorvel`: the chart on the left, the buttons and the
// result grid on the right. A view of the session: it forwards each command,
// asks the person through the desktop, and redraws when the session reports
// a change.
class TFormQuorvel final : public QMainWindow {
    Q_OBJECT
public:
    // Who started the series switch: the check boxes, the chart's context
    // menu, or the program itself.
    enum class SwitchSender { CheckBox, Menu, None };

    // Shows `session`'s storm computed, with its options.
    TFormQuorvel(StormSession& session, Desktop& desktop, QWidget* parent = nullptr);
    ~TFormQuorvel() override;

    // Computes the storm again and shows the result (or why there is none).
    void RefreshHyetograph();
    void ShowHyetographTable();
    void HideSomeSeries(SwitchSender sender);
    void ApplyOptionsToMainWindow();

    // The storm commands: the new-storm dialog and the storm file.
    void ButtonNewRainModelClick();
    void Menu_Open1Click();
    void Menu_Save1Click();
    void Menu_SaveAs1Click();
    // Opens a storm file named on the command line or dropped on the window.
    void OpenStormFile(const QString& path);
    // Writes the current storm; an empty name asks for one. False when
    // nothing was written.
    bool SaveRainModel(const QString& fileName);

    void Menu_OptionsClick();

    // The data and picture exports.
    void MenuSaveDataToExcelClick();
    void MenuSaveDataToWordClick();
    void MenuSaveDataToSWMMClick();
    void Menu_SavePicClick(int tag);
    // Writes the chart as shown to `path` in the format of its extension
    // (.bmp, .jpg, .png; nothing for another extension).
    Status SaveChartPicture(const QString& path);
    // The chart as shown, or drawn at `size` for a document; with the labels.
    QImage ChartPicture(const QSize& size = QSize());

    // The calculation report, with the chart drawn at the report's size.
    void Button_OutputResultClick();
    // The Excel workbook with its ready chart.
    void btn_OutputExcelPicDataClick();

    // The Help menu.
    void Menu_help1Click();
    void Menu_UpdateClick();
    void Menu_AddQQClick();
    void menu_kefuClick();
    void Menu_AboutClick();
    // Where the update check asks (the maker's server unless set) and where
    // "帮助" looks for the manual (DefaultManualFolders unless set).
    void setUpdateServer(const UpdateServer& server) { updateServer_ = server; }
    void setManualFolders(const QStringList& folders) { manualFolders_ = folders; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void restoreWindowMemory();
    // The folder a file dialog for `kind` ("Storm", "Data", "Picture",
    // "Document") opens in: the one last used, else the documents folder.
    QString dialogFolder(const QString& kind) const;
    void rememberFolder(const QString& kind, const QString& path);
    // AskExportTarget, opening where files of `kind` went last.
    std::optional<QString> askTarget(FileDialogRequest request, const QString& kind,
                                     const std::function<QString(int selectedType)>& extensionFor);
    void buildLayout();
    QWidget* buildRightPanel();
    void buildMainMenu();
    void buildContextMenus();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption);
    void enableCommand(QAction* action, void (TFormQuorvel::*handler)());
    void enablePictureCommand(QAction* action);
    void addPictureCommands(QMenu* menu, const QString& suffix);
    void addDataCommands(QMenu* menu, const QString& suffix);
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
    void showTableAndLabels();
    void showLabelsAndSeriesFromOptions();
    void writeLabelTexts();
    void runCommand(const std::function<Status()>& command);
    bool refusedForEmptyTable(const QString& message);
    // "芝加哥雨型计算数据P=2年 t=120分 r=0.4" with `extension`.
    QString proposedDataName(const QString& extension) const;
    enum class HandOver { DefaultApplication, TextEditor };
    Status saveExport(ExportFormat format, const FileDialogRequest& request, const QString& kind,
                      HandOver handOver);
    Status saveDataExport(ExportFormat format, const QString& proposedName, const QString& typeName,
                          HandOver handOver);
    // The update check, with the busy cursor and the command held back while
    // it waits.
    Result<std::optional<UpdateOffer>> waitForUpdateCheck();
    TFormAbout& aboutForm();

    StormSession& session_;
    Desktop& desktop_;
    TWindowMemory memory_;

    HyetographChart* Chart1 = nullptr;
    ResultGrid* GridData = nullptr;
    InfoLabel* Label_P = nullptr;
    InfoLabel* Label_T = nullptr;
    InfoLabel* Label_r = nullptr;
    InfoLabel* Label_Overall_Rainfall = nullptr;
    InfoLabel* Label_Average_Rainfall_Intensity = nullptr;
    std::array<InfoLabel*, 5> infoLabels_{};
    QCheckBox* CheckBox_Overall_Rainfall = nullptr;
    QCheckBox* CheckBox_Rainfall_Intensity = nullptr;
    QAction* menu_Overall_Rainfall = nullptr;
    QAction* menu_Rainfall_Intensity = nullptr;
    TFormAddNewRainModel* newStormDialog_ = nullptr;
    QMenu* PopupMenu_Picture = nullptr;
    QMenu* PopupMenu_Grid = nullptr;
    QAction* Menu_Update = nullptr;
    TFormAbout* FormAbout = nullptr;

    UpdateServer updateServer_;
    QStringList manualFolders_;
    bool updateCheckRunning_ = false;
};

} // namespace velmora
