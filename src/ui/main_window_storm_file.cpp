// Entering and keeping storms: the new-storm dialog and the storm file.

#include "main_window.h"

#include "desktop.h"
#include "new_storm_dialog.h"
#include "number_text.h"
#include "storm_file.h"
#include "atomic_file.h"

#include <QFileInfo>

namespace velmora {

namespace {

const std::vector<FileType> StormFileTypes = {{QStringLiteral("文本文件(*.txt)"), QStringLiteral("*.txt")},
                                              {QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")}};

} // namespace

void TFormQuorvel::ButtonNewRainModelClick() {
    runCommand([this] {
        newStormDialog_->FormShow();
        if (desktop_.runModal(*newStormDialog_) != QDialog::Accepted)
            return;
        RefreshHyetograph();
        CurrentRainModelFile.clear(); // the next save asks for a name
    });
}

void TFormQuorvel::Menu_Open1Click() {
    runCommand([this] {
        const auto chosen = desktop_.askOpenFile({QStringLiteral("打开雨型"), QString(), StormFileTypes, 0, false});
        if (!chosen || !QFileInfo::exists(chosen->path))
            return;
        const StormFileReading reading = ReadStormFileAt(chosen->path, UserDecimalSeparator());
        if (!reading.storm) {
            desktop_.showError(QStringLiteral("错误"), reading.error);
            return; // the storm and the current file stay as they were
        }
        storm_ = *reading.storm;
        CurrentRainModelFile = chosen->path;
        RefreshHyetograph();
    });
}

void TFormQuorvel::Menu_Save1Click() {
    runCommand([this] { SaveRainModel(CurrentRainModelFile); });
}

void TFormQuorvel::Menu_SaveAs1Click() {
    runCommand([this] { SaveRainModel(QString()); });
}

bool TFormQuorvel::SaveRainModel(const QString& fileName) {
    QString path = fileName.trimmed();
    if (path.isEmpty()) {
        const auto chosen =
            desktop_.askSaveFile({QStringLiteral("保存曲线"), QString(), StormFileTypes, 0, true});
        if (!chosen)
            return false;
        path = chosen->path;
        if (!path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
            path += QStringLiteral(".txt");
            // The dialog asked about the name it returned, not about this one.
            if (QFileInfo::exists(path) &&
                !desktop_.askYesNo(QStringLiteral("提示"),
                                   QStringLiteral("文件“%1”已经存在。\r\n要替换它吗？").arg(path)))
                return false;
        }
        CurrentRainModelFile = path;
    }
    if (path.trimmed().isEmpty())
        return false;

    const Result<QByteArray> bytes = StormFileBytes(storm_, UserDecimalSeparator());
    const Status written = bytes ? WriteFileAtomically(path, *bytes) : Status(Failure{bytes.message()});
    if (!written) {
        desktop_.showError(QStringLiteral("错误"), written.message());
        return false;
    }
    return true;
}

} // namespace velmora
