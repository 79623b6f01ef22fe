#pragma once

#include "hyetograph.h"
#include "options.h"
#include "storm.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;

namespace velmora {

class Desktop;
struct FileDialogRequest;
class HyetographChart;
class TFormAddNewRainModel;
class InfoLabel;
class ResultGrid;

// The main window `TFormQuorvel`: the chart on the left, the buttons and the
// result grid on the right. It owns, for the whole run, the current storm, the
// hyetograph table and the options, and shows them through one refresh.
class TFormQuorvel final : public QMainWindow {
    Q_OBJECT
public:
    // Who started the series switch: the check boxes, the chart's context
    // menu, or the program itself.
    enum class SwitchSender { CheckBox, Menu, None };

    // Starts up: the settings folder under `settingsBase`, the options, the
    // default storm computed and shown.
    TFormQuorvel(Desktop& desktop, const QString& settingsBase, QWidget* parent = nullptr);
    ~TFormQuorvel() override;

    void RefreshHyetograph();
    void ShowHyetographTable();
    void HideSomeSeries(SwitchSender sender);
    void ApplyOptionsToMainWindow();

    TExpressionObject& currentStorm() { return storm_; }
    const THyetographTable& hyetographTable() const { return table_; }
    TOptions& currentOptions() { return options_; }
    const QString& optionsFileName() const { return optionsFileName_; }
    const QString& programFolder() const { return programFolder_; }
    const QString& currentRainModelFile() const { return CurrentRainModelFile; }

    // The storm commands: the new-storm dialog and the storm file.
    void ButtonNewRainModelClick();
    void Menu_Open1Click();
    void Menu_Save1Click();
    void Menu_SaveAs1Click();
    // Writes the current storm; an empty name asks for one. False when
    // nothing was written.
    bool SaveRainModel(const QString& fileName);

    void Menu_OptionsClick();

    // The data and picture exports.
    void MenuSaveDataToExcelClick();
    void MenuSaveDataToSWMMClick();
    void Menu_SavePicClick(int tag);
    // Writes the chart as shown to `path` in the format of its extension
    // (.bmp, .jpg, .png); false when a file should have been written and was not.
    bool SaveChartPicture(const QString& path);
    double maxRainfallIntensity() const { return Max_Rainfall_Intensity; }
    double maxOverallRainfall() const { return Max_Overall_Rainfall; }

    HyetographChart& chart() { return *Chart1; }
    ResultGrid& grid() { return *GridData; }
    std::array<InfoLabel*, 5> infoLabels() const;

private:
    void buildLayout();
    QWidget* buildRightPanel();
    void buildMainMenu();
    void buildContextMenus();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption,
                        bool available = false);
    void connectChartAndGrid();
    void connectCommand(const char* name, void (TFormQuorvel::*handler)());
    void connectPictureCommand(const char* name);
    void startUp(const QString& settingsBase);

    void CheckBox_Rainfall_IntensityClick(SwitchSender sender);
    void Chart1MouseMove();
    void Series_Overall_RainfallClick(int index);
    void GridDataClick(int gridRow);
    void showLabelsAndSeriesFromOptions();
    void writeLabelTexts();
    void saveOptionsOrSayWhy();
    void runCommand(const std::function<void()>& command);
    bool refusedForEmptyTable(const QString& message);
    // The path chosen in a save dialog with its extension replaced; asks before
    // replacing a file the dialog did not ask about. Nothing when cancelled.
    std::optional<QString> exportTarget(const FileDialogRequest& request,
                                        const std::function<QString(int selectedType)>& extension);
    // The shared dialog "保存雨型数据" for one data export ("Excel文件(*.csv)", ".csv").
    std::optional<QString> dataExportTarget(const QString& typeName, const QString& extension);
    bool writeExportFile(const QString& path, const QByteArray& bytes);

    Desktop& desktop_;
    TExpressionObject storm_;
    THyetographTable table_;
    TOptions options_;
    QString optionsFileName_;
    QString programFolder_;
    QString CurrentRainModelFile;
    double Max_Rainfall_Intensity = 0;
    double Max_Overall_Rainfall = 0;

    HyetographChart* Chart1 = nullptr;
    ResultGrid* GridData = nullptr;
    InfoLabel* Label_P = nullptr;
    InfoLabel* Label_T = nullptr;
    InfoLabel* Label_r = nullptr;
    InfoLabel* Label_Overall_Rainfall = nullptr;
    InfoLabel* Label_Average_Rainfall_Intensity = nullptr;
    QCheckBox* CheckBox_Overall_Rainfall = nullptr;
    QCheckBox* CheckBox_Rainfall_Intensity = nullptr;
    QAction* menu_Overall_Rainfall = nullptr;
    QAction* menu_Rainfall_Intensity = nullptr;
    TFormAddNewRainModel* newStormDialog_ = nullptr;
    QMenu* PopupMenu_Picture = nullptr;
    QMenu* PopupMenu_Grid = nullptr;
};

} // namespace velmora
