#pragma once

#include "export_format.h"
#include "result.h"

#include <QObject>
#include <QPointer>

class QMenu;

namespace velmora {

class Desktop;
struct FileDialogRequest;
class HyetographChart;
class StormSession;
class WindowMemoryKeeper;

// The exports of the storm shown: the data files (CSV, Word table, SWMM), the
// chart pictures, the calculation report and the workbook. Each asks where
// through the desktop, has the session write what the grid shows, and hands
// the written file over to the desktop.
class ExportCommands final : public QObject {
    Q_OBJECT
public:
    ExportCommands(StormSession& session, Desktop& desktop, WindowMemoryKeeper& memory,
                   HyetographChart& chart, QObject* parent = nullptr);

    void MenuSaveDataToExcelClick();
    void MenuSaveDataToWordClick();
    void MenuSaveDataToSWMMClick();
    // `tag` 1, 2, 3: BMP, JPG, PNG selected in the dialog.
    void Menu_SavePicClick(int tag);
    // The calculation report, with the chart drawn at the report's size.
    void Button_OutputResultClick();
    // The Excel workbook with its ready chart.
    void btn_OutputExcelPicDataClick();
    // "保存对比数据(CSV格式)...": the compared storms as one table.
    void Menu_SaveComparisonCsvClick();

    // The three picture items and the three table items, with names ending in
    // `suffix` (the data menu's end in "1", the context menus' in nothing).
    void addPictureCommands(QMenu* menu, const QString& suffix);
    void addDataCommands(QMenu* menu, const QString& suffix);

private:
    enum class HandOver { DefaultApplication, TextEditor };
    void run(Status (ExportCommands::*command)());
    Status saveCsv();
    Status saveWordTable();
    Status saveSwmm();
    Status saveWorkbook();
    Status saveReport();
    Status saveComparisonCsv();
    Status savePicture(int tag);
    bool refusedForEmptyTable(const QString& message);
    Status saveExport(ExportFormat format, const FileDialogRequest& request, const QString& kind,
                      HandOver handOver);
    Status saveDataExport(ExportFormat format, const QString& proposedName, const QString& typeName,
                          HandOver handOver);

    // Null once the session is gone: then no command runs.
    QPointer<StormSession> session_;
    Desktop& desktop_;
    WindowMemoryKeeper& memory_;
    HyetographChart& chart_;
};

} // namespace velmora
