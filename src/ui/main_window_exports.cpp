// The data exports (CSV, SWMM rainfall file) and the chart picture. The
// session makes the files from what the grid shows; the window asks where.

#include "main_window.h"

#include "atomic_file.h"
#include "calculation_report.h"
#include "desktop.h"
#include "export_names.h"
#include "export_target.h"
#include "hyetograph_chart.h"
#include "number_text.h"
#include "picture_encoders.h"
#include "storm_session.h"

#include <QFileInfo>

namespace velmora {

namespace {

const QString NoDataMessage = QStringLiteral("没有数据可以保存~\r\n点击“添加”按钮，添加新曲线");
const QString NoChartMessage = QStringLiteral("没有曲线可以保存~\r\n点击“添加”按钮，添加新曲线");
const std::vector<FileType> PictureTypes = {{QStringLiteral("位图文件"), QStringLiteral("*.bmp")},
                                            {QStringLiteral("JPG文件"), QStringLiteral("*.jpg")},
                                            {QStringLiteral("PNG文件"), QStringLiteral("*.png")}};

} // namespace

QString TFormQuorvel::proposedDataName(const QString& extension) const {
    return ProposedDataFileName(session_.storm(), extension, UserDecimalSeparator());
}

bool TFormQuorvel::refusedForEmptyTable(const QString& message) {
    if (!session_.table().empty())
        return false;
    desktop_.showInformation(PromptTitle, message);
    return true;
}

// Asks where the export goes (its extension forced), writes it and hands it
// to the desktop: to the text editor or to the file's own application.
Status TFormQuorvel::saveExport(ExportFormat format, const FileDialogRequest& request, const QString& kind,
                                HandOver handOver) {
    const QString extension = QString::fromLatin1(ExportExtension(format));
    const auto target = askTarget(request, kind, [&extension](int) { return extension; });
    if (!target)
        return {};
    const Status written = session_.writeExport(format, *target);
    if (written && handOver == HandOver::TextEditor)
        desktop_.openInTextEditor(*target);
    else if (written)
        desktop_.openWithDefaultApplication(*target);
    return written;
}

// The data exports share the dialog "保存雨型数据" with their type and all files.
Status TFormQuorvel::saveDataExport(ExportFormat format, const QString& proposedName,
                                    const QString& typeName, HandOver handOver) {
    const QString extension = QString::fromLatin1(ExportExtension(format));
    return saveExport(format, DataExportRequest(proposedName, typeName, extension), QStringLiteral("Data"),
                      handOver);
}

void TFormQuorvel::MenuSaveDataToExcelClick() {
    runCommand([this] {
        if (refusedForEmptyTable(NoDataMessage))
            return Status();
        return saveDataExport(ExportFormat::Csv, proposedDataName(QStringLiteral(".csv")),
                              QStringLiteral("Excel文件(*.csv)"), HandOver::DefaultApplication);
    });
}

void TFormQuorvel::MenuSaveDataToWordClick() {
    runCommand([this] {
        if (refusedForEmptyTable(NoDataMessage))
            return Status();
        return saveDataExport(ExportFormat::WordTable,
                              ProposedWordDataFileName(session_.storm(), UserDecimalSeparator()),
                              QStringLiteral("Word文件(*.docx)"), HandOver::DefaultApplication);
    });
}

void TFormQuorvel::MenuSaveDataToSWMMClick() {
    runCommand([this] {
        if (refusedForEmptyTable(NoDataMessage))
            return Status();
        if (!session_.usesSwmmUnits()) {
            // The switch stays for this run, unsaved.
            if (const Status switched = session_.switchToSwmmUnits(); !switched)
                return switched;
            desktop_.showInformation(
                PromptTitle, QStringLiteral("SWMM的时间格式应该为(时:分)，降雨强度单位应该为(毫米/时)\r\n已经自动切换！"));
        }
        return saveDataExport(ExportFormat::Swmm, proposedDataName(QStringLiteral(".dat")),
                              QStringLiteral("SWMM文件(*.dat)"), HandOver::TextEditor);
    });
}

void TFormQuorvel::btn_OutputExcelPicDataClick() {
    runCommand([this] {
        if (refusedForEmptyTable(NoDataMessage))
            return Status();
        return saveExport(ExportFormat::Workbook,
                          DocumentExportRequest(
                              ProposedExcelWorkbookFileName(session_.storm(), UserDecimalSeparator()), 2),
                          QStringLiteral("Document"), HandOver::DefaultApplication);
    });
}

void TFormQuorvel::Menu_SavePicClick(int tag) {
    runCommand([this, tag] {
        if (refusedForEmptyTable(NoChartMessage))
            return Status();
        const int type = std::clamp(tag, 1, 3) - 1;
        const QString extension = PictureTypes[static_cast<std::size_t>(type)].mask.mid(1);
        const FileDialogRequest request{
            QStringLiteral("保存曲线图片"),
            ProposedPictureFileName(session_.storm(), extension, UserDecimalSeparator()), PictureTypes,
            type, true, QString()};
        // The extension follows the type selected when the dialog closed.
        const auto target = askTarget(request, QStringLiteral("Picture"), [](int selected) {
            return PictureTypes[static_cast<std::size_t>(std::clamp(selected, 0, 2))].mask.mid(1);
        });
        if (!target)
            return Status();
        const Status written = SaveChartPicture(*target);
        if (written && QFileInfo::exists(*target))
            desktop_.openWithDefaultApplication(*target);
        return written;
    });
}

Status TFormQuorvel::SaveChartPicture(const QString& path) {
    const auto format = PictureFormatOf(path);
    if (!format)
        return {}; // not a picture extension: nothing to write
    const Result<QByteArray> bytes = EncodePicture(*format, ChartPicture());
    if (!bytes)
        return Failure{QStringLiteral("无法写入文件“%1”：%2").arg(path, bytes.message())};
    return WriteFileAtomically(path, *bytes);
}

QImage TFormQuorvel::ChartPicture(const QSize& size) {
    const QSize shown = Chart1->size();
    // The chart takes the picture's size only while it is drawn into the
    // picture: no event is handled in between, so the screen never shows it.
    if (size.isValid())
        Chart1->resize(size);
    Chart1->replot();
    const QImage picture = Chart1->grab().toImage().convertToFormat(QImage::Format_RGB888);
    if (size.isValid()) {
        Chart1->resize(shown);
        Chart1->replot();
    }
    return picture;
}

void TFormQuorvel::Button_OutputResultClick() {
    runCommand([this] {
        if (refusedForEmptyTable(NoDataMessage))
            return Status();
        const FileDialogRequest request = DocumentExportRequest(
            ProposedCalculationReportFileName(session_.storm(), UserDecimalSeparator()), 1);
        const auto target = askTarget(request, QStringLiteral("Document"), [](int) { return QStringLiteral(".docx"); });
        if (!target)
            return Status();
        const Result<QByteArray> png = EncodePng(ChartPicture(ReportChartPictureSize(logicalDpiX())));
        if (!png)
            return Status(Failure{png.message()});
        const Status written = session_.writeReport(*target, *png);
        if (written)
            desktop_.openWithDefaultApplication(*target);
        return written;
    });
}

} // namespace velmora
