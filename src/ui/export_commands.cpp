#include "export_commands.h"

#include "atomic_file.h"
#include "calculation_report.h"
#include "command_guard.h"
#include "desktop.h"
#include "desktop_hand_over.h"
#include "export_names.h"
#include "export_target.h"
#include "hyetograph_chart.h"
#include "menu_command.h"
#include "number_text.h"
#include "storm_session.h"
#include "window_memory_keeper.h"

#include <QFileInfo>

namespace velmora {

namespace {

const QString NoChartMessage = QStringLiteral("没有曲线可以保存~\r\n点击“添加”按钮，添加新曲线");
const std::vector<FileType> PictureTypes = {{QStringLiteral("位图文件"), QStringLiteral("*.bmp")},
                                            {QStringLiteral("JPG文件"), QStringLiteral("*.jpg")},
                                            {QStringLiteral("PNG文件"), QStringLiteral("*.png")}};

QString PictureExtension(int type) {
    return PictureTypes[static_cast<std::size_t>(std::clamp(type, 0, 2))].mask.mid(1);
}

} // namespace

ExportCommands::ExportCommands(StormSession& session, Desktop& desktop, WindowMemoryKeeper& memory,
                               HyetographChart& chart, QObject* parent)
    : QObject(parent), session_(&session), desktop_(desktop), memory_(memory), chart_(chart) {}

void ExportCommands::run(Status (ExportCommands::*command)()) {
    if (session_)
        RunCommand(desktop_, [this, command] { return (this->*command)(); });
}

void ExportCommands::MenuSaveDataToExcelClick() {
    run(&ExportCommands::saveCsv);
}
void ExportCommands::MenuSaveDataToWordClick() {
    run(&ExportCommands::saveWordTable);
}
void ExportCommands::MenuSaveDataToSWMMClick() {
    run(&ExportCommands::saveSwmm);
}
void ExportCommands::Button_OutputResultClick() {
    run(&ExportCommands::saveReport);
}
void ExportCommands::btn_OutputExcelPicDataClick() {
    run(&ExportCommands::saveWorkbook);
}
void ExportCommands::Menu_SaveComparisonCsvClick() {
    run(&ExportCommands::saveComparisonCsv);
}

void ExportCommands::Menu_SavePicClick(int tag) {
    if (session_)
        RunCommand(desktop_, [this, tag] { return savePicture(tag); });
}

void ExportCommands::addPictureCommands(QMenu* menu, const QString& suffix) {
    const struct {
        const char* name;
        const char* caption;
    } items[] = {{"Menu_SaveBmp", "保存图片(BMP格式)..."},
                 {"Menu_SaveJpg", "保存图片(JPG格式)..."},
                 {"Menu_SavePng", "保存图片(PNG格式)..."}};
    int tag = 1;
    for (const auto& item : items) {
        AddMenuCommand(menu, QString::fromLatin1(item.name) + suffix,
                       QString::fromUtf8(item.caption), this,
                       [this, tag] { Menu_SavePicClick(tag); })
            ->setData(tag);
        ++tag;
    }
}

void ExportCommands::addDataCommands(QMenu* menu, const QString& suffix) {
    AddMenuCommand(menu, QStringLiteral("MenuSaveDataToExcel") + suffix,
                   QStringLiteral("保存雨型数据(EXCEL格式)..."), this,
                   &ExportCommands::MenuSaveDataToExcelClick);
    AddMenuCommand(menu, QStringLiteral("MenuSaveDataToWord") + suffix,
                   QStringLiteral("保存雨型数据(WORD格式)..."), this,
                   &ExportCommands::MenuSaveDataToWordClick);
    AddMenuCommand(menu, QStringLiteral("MenuSaveDataToSWMM") + suffix,
                   QStringLiteral("保存雨型数据(SWMM格式)..."), this,
                   &ExportCommands::MenuSaveDataToSWMMClick);
}

bool ExportCommands::refusedForEmptyTable(const QString& message) {
    if (!session_->table().empty())
        return false;
    desktop_.showInformation(PromptTitle, message);
    return true;
}

// Asks where the export goes (its extension forced), writes it and hands it
// to the desktop: to the text editor or to the file's own application.
Status ExportCommands::saveExport(ExportFormat format, const FileDialogRequest& request,
                                  const QString& kind, HandOver handOver) {
    const QString extension = QString::fromLatin1(ExportExtension(format));
    const auto target =
        memory_.askTarget(desktop_, request, kind, [&extension](int) { return extension; });
    if (!target)
        return {};
    const Status written = session_->writeExport(format, *target);
    if (written && handOver == HandOver::TextEditor)
        OpenSavedFileInTextEditor(desktop_, *target);
    else if (written)
        OpenSavedFile(desktop_, *target);
    return written;
}

// The data exports share the dialog "保存雨型数据" with their type and all files.
Status ExportCommands::saveDataExport(ExportFormat format, const QString& proposedName,
                                      const QString& typeName, HandOver handOver) {
    const QString extension = QString::fromLatin1(ExportExtension(format));
    return saveExport(format, DataExportRequest(proposedName, typeName, extension),
                      QStringLiteral("Data"), handOver);
}

Status ExportCommands::saveCsv() {
    if (refusedForEmptyTable(NoDataMessage))
        return {};
    return saveDataExport(
        ExportFormat::Csv,
        ProposedDataFileName(session_->storm(), QStringLiteral(".csv"), UserDecimalSeparator()),
        QStringLiteral("Excel文件(*.csv)"), HandOver::DefaultApplication);
}

Status ExportCommands::saveComparisonCsv() {
    if (session_->comparison().empty()) {
        desktop_.showInformation(PromptTitle, EmptyComparisonMessage);
        return {};
    }
    const auto target = memory_.askTarget(
        desktop_,
        DataExportRequest(QStringLiteral("芝加哥雨型对比数据.csv"),
                          QStringLiteral("Excel文件(*.csv)"), QStringLiteral(".csv")),
        QStringLiteral("Data"), [](int) { return QStringLiteral(".csv"); });
    if (!target)
        return {};
    const Status written = session_->writeComparisonCsv(*target);
    if (written)
        OpenSavedFile(desktop_, *target);
    return written;
}

Status ExportCommands::saveWordTable() {
    if (refusedForEmptyTable(NoDataMessage))
        return {};
    return saveDataExport(ExportFormat::WordTable,
                          ProposedWordDataFileName(session_->storm(), UserDecimalSeparator()),
                          QStringLiteral("Word文件(*.docx)"), HandOver::DefaultApplication);
}

Status ExportCommands::saveSwmm() {
    if (refusedForEmptyTable(NoDataMessage))
        return {};
    if (!session_->usesSwmmUnits()) {
        // The switch stays for this run, unsaved.
        if (const Status switched = session_->switchToSwmmUnits(); !switched)
            return switched;
        desktop_.showInformation(
            PromptTitle,
            QStringLiteral(
                "SWMM的时间格式应该为(时:分)，降雨强度单位应该为(毫米/时)\r\n已经自动切换！"));
    }
    return saveDataExport(
        ExportFormat::Swmm,
        ProposedDataFileName(session_->storm(), QStringLiteral(".dat"), UserDecimalSeparator()),
        QStringLiteral("SWMM文件(*.dat)"), HandOver::TextEditor);
}

Status ExportCommands::saveWorkbook() {
    if (refusedForEmptyTable(NoDataMessage))
        return {};
    return saveExport(
        ExportFormat::Workbook,
        DocumentExportRequest(
            ProposedExcelWorkbookFileName(session_->storm(), UserDecimalSeparator()), 2),
        QStringLiteral("Document"), HandOver::DefaultApplication);
}

Status ExportCommands::saveReport() {
    if (refusedForEmptyTable(NoDataMessage))
        return {};
    const FileDialogRequest request = DocumentExportRequest(
        ProposedCalculationReportFileName(session_->storm(), UserDecimalSeparator()), 1);
    const auto target = memory_.askTarget(desktop_, request, QStringLiteral("Document"),
                                          [](int) { return QStringLiteral(".docx"); });
    if (!target)
        return {};
    const Status written = session_->reportWriting(
        chart_.picture(ReportChartPictureSize(chart_.logicalDpiX()), ReportChartPixelRatio),
        *target, ExistingFile::Replace)();
    if (written)
        OpenSavedFile(desktop_, *target);
    return written;
}

Status ExportCommands::savePicture(int tag) {
    if (refusedForEmptyTable(NoChartMessage))
        return {};
    const int type = std::clamp(tag, 1, 3) - 1;
    const FileDialogRequest request{
        QStringLiteral("保存曲线图片"),
        ProposedPictureFileName(session_->storm(), PictureExtension(type), UserDecimalSeparator()),
        PictureTypes,
        type,
        true,
        QString()};
    // The extension follows the type selected when the dialog closed.
    const auto target =
        memory_.askTarget(desktop_, request, QStringLiteral("Picture"), PictureExtension);
    if (!target)
        return {};
    const Status written = session_->writePicture(*target, chart_.picture());
    if (written)
        OpenSavedFile(desktop_, *target);
    return written;
}

} // namespace velmora
