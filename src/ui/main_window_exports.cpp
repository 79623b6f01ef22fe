// The data exports (CSV, SWMM rainfall file) and the chart picture. Each reads
// what the window shows.

#include "main_window.h"

#include "atomic_file.h"
#include "csv_text.h"
#include "desktop.h"
#include "export_names.h"
#include "hyetograph_chart.h"
#include "number_text.h"
#include "picture_encoders.h"
#include "result_grid.h"
#include "swmm_text.h"
#include "text_encoding.h"

#include <QFileInfo>

namespace velmora {

namespace {

const QString Prompt = QStringLiteral("提示");
const QString NoDataMessage = QStringLiteral("没有数据可以保存~\r\n点击“添加”按钮，添加新曲线");
const QString NoChartMessage = QStringLiteral("没有曲线可以保存~\r\n点击“添加”按钮，添加新曲线");
const QString DataDialogTitle = QStringLiteral("保存雨型数据");
const FileType AllFiles{QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")};
const std::vector<FileType> PictureTypes = {{QStringLiteral("位图文件"), QStringLiteral("*.bmp")},
                                            {QStringLiteral("JPG文件"), QStringLiteral("*.jpg")},
                                            {QStringLiteral("PNG文件"), QStringLiteral("*.png")}};

} // namespace

bool TFormQuorvel::refusedForEmptyTable(const QString& message) {
    if (!table_.empty())
        return false;
    desktop_.showInformation(Prompt, message);
    return true;
}

std::optional<QString> TFormQuorvel::exportTarget(
    const FileDialogRequest& request, const std::function<QString(int selectedType)>& extension) {
    const auto chosen = desktop_.askSaveFile(request);
    if (!chosen || chosen->path.trimmed().isEmpty())
        return std::nullopt;
    const QString target = ReplaceExtension(chosen->path, extension(chosen->selectedType));
    // The dialog asked about the name it returned, not about this one.
    if (target != chosen->path && QFileInfo::exists(target) &&
        !desktop_.askYesNo(Prompt, QStringLiteral("文件“%1”已经存在。\r\n要替换它吗？").arg(target)))
        return std::nullopt;
    return target;
}

std::optional<QString> TFormQuorvel::dataExportTarget(const QString& typeName,
                                                      const QString& extension) {
    const FileDialogRequest request{DataDialogTitle,
                                    ProposedDataFileName(storm_, extension, UserDecimalSeparator()),
                                    {{typeName, QLatin1Char('*') + extension}, AllFiles}, 0, true};
    return exportTarget(request, [&extension](int) { return extension; });
}

bool TFormQuorvel::writeExportFile(const QString& path, const QByteArray& bytes) {
    const Status written = WriteFileAtomically(path, bytes);
    if (!written)
        desktop_.showError(QStringLiteral("错误"), written.message());
    return written.ok();
}

void TFormQuorvel::MenuSaveDataToExcelClick() {
    runCommand([this] {
        if (refusedForEmptyTable(NoDataMessage))
            return;
        const auto target = dataExportTarget(QStringLiteral("Excel文件(*.csv)"), QStringLiteral(".csv"));
        if (!target)
            return;
        const ResultGridModel& grid = GridData->gridModel();
        const QString text = CsvText(grid.allRowTexts(grid.decimalSeparator()), options_);
        if (writeExportFile(*target, EncodeCodePage936(text)))
            desktop_.openWithDefaultApplication(*target);
    });
}

void TFormQuorvel::MenuSaveDataToSWMMClick() {
    runCommand([this] {
        if (refusedForEmptyTable(NoDataMessage))
            return;
        if (options_.Int_TimeForamtidx != 0 || options_.Int_StormUnitidx != 0) {
            // SWMM reads hours and minutes and mm/h; the switch stays, unsaved.
            options_.Int_TimeForamtidx = 0;
            options_.Int_StormUnitidx = 0;
            RefreshHyetograph();
            desktop_.showInformation(
                Prompt, QStringLiteral("SWMM的时间格式应该为(时:分)，降雨强度单位应该为(毫米/时)\r\n已经自动切换！"));
        }
        const auto target = dataExportTarget(QStringLiteral("SWMM文件(*.dat)"), QStringLiteral(".dat"));
        if (!target)
            return;
        // The rainfall model reads "." only, whatever the user's separator.
        const QString text = SwmmText(GridData->gridModel().allRowTexts(QLatin1Char('.')));
        if (writeExportFile(*target, EncodeCodePage936(text)))
            desktop_.openInTextEditor(*target);
    });
}

void TFormQuorvel::Menu_SavePicClick(int tag) {
    runCommand([this, tag] {
        if (refusedForEmptyTable(NoChartMessage))
            return;
        const int type = std::clamp(tag, 1, 3) - 1;
        const QString extension = PictureTypes[static_cast<std::size_t>(type)].mask.mid(1);
        const FileDialogRequest request{
            QStringLiteral("保存曲线图片"), ProposedPictureFileName(storm_, extension, UserDecimalSeparator()),
            PictureTypes, type, true};
        // The extension follows the type selected when the dialog closed.
        const auto target = exportTarget(request, [](int selected) {
            return PictureTypes[static_cast<std::size_t>(std::clamp(selected, 0, 2))].mask.mid(1);
        });
        if (target && SaveChartPicture(*target) && QFileInfo::exists(*target))
            desktop_.openWithDefaultApplication(*target);
    });
}

bool TFormQuorvel::SaveChartPicture(const QString& path) {
    Chart1->replot();
    const QImage picture = Chart1->grab().toImage().convertToFormat(QImage::Format_RGB888);
    QString error;
    const auto bytes = EncodePictureFor(path, picture, &error);
    if (!bytes)
        return true; // not a picture extension: nothing to write
    if (bytes->isEmpty()) {
        desktop_.showError(QStringLiteral("错误"), error);
        return false;
    }
    return writeExportFile(path, *bytes);
}

} // namespace velmora
