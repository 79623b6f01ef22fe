// Entering and keeping storms: the new-storm dialog and the storm file.

#include "main_window.h"

#include "desktop.h"
#include "new_storm_dialog.h"
#include "storm_session.h"
#include "window_memory_keeper.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

namespace velmora {

namespace {

const QString StormKind = QStringLiteral("Storm");
const std::vector<FileType> StormFileTypes = {
    {QStringLiteral("文本文件(*.txt)"), QStringLiteral("*.txt")},
    {QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")}};

} // namespace

void TFormQuorvel::ButtonNewRainModelClick() {
    runCommand([this] {
        runNewStormDialog(session_->storm());
        return Status();
    });
}

bool TFormQuorvel::runNewStormDialog(const TExpressionObject& shown) {
    // Made on first use, which the first paint need not wait for; then
    // kept, with the step last entered.
    if (!newStormDialog_)
        newStormDialog_ = new TFormAddNewRainModel(
            session_->options(), desktop_,
            [this](const TExpressionObject& entered) { return session_->newStorm(entered); }, this);
    newStormDialog_->FormShow(shown);
    // The dialog hands its storm to the session before it closes.
    return desktop_.runModal(*newStormDialog_) == QDialog::Accepted;
}

void TFormQuorvel::Menu_Open1Click() {
    runCommand([this] {
        const auto chosen =
            desktop_.askOpenFile({QStringLiteral("打开雨型"), QString(), StormFileTypes, 0, false,
                                  memory_->dialogFolder(StormKind)});
        if (!chosen || !QFileInfo::exists(chosen->path))
            return Status();
        memory_->rememberFolder(StormKind, chosen->path);
        return session_->openStormFile(chosen->path);
    });
}

void TFormQuorvel::OpenStormFile(const QString& path) {
    runCommand([this, path] { return session_->openStormFile(path); });
}

void TFormQuorvel::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

// A storm file dropped on the window is opened as "打开雨型" opens it.
void TFormQuorvel::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    OpenStormFile(urls.front().toLocalFile());
}

void TFormQuorvel::Menu_Save1Click() {
    runCommand([this]() -> Status {
        if (const Result<bool> saved = SaveRainModel(session_->currentStormFile()); !saved)
            return saved.failure();
        return {};
    });
}

void TFormQuorvel::Menu_SaveAs1Click() {
    runCommand([this]() -> Status {
        if (const Result<bool> saved = SaveRainModel(QString()); !saved)
            return saved.failure();
        return {};
    });
}

Result<bool> TFormQuorvel::SaveRainModel(const QString& fileName) {
    if (!session_)
        return false;
    QString path = fileName.trimmed();
    if (path.isEmpty()) {
        const auto chosen =
            desktop_.askSaveFile({QStringLiteral("保存曲线"), QString(), StormFileTypes, 0, true,
                                  memory_->dialogFolder(StormKind)});
        if (!chosen)
            return false;
        path = chosen->path;
        memory_->rememberFolder(StormKind, path);
        if (!path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
            path += QStringLiteral(".txt");
            // The dialog asked about the name it returned, not about this one.
            if (QFileInfo::exists(path) && !AskReplaceFile(desktop_, path))
                return false;
        }
        session_->setCurrentStormFile(path);
    }
    if (const Status written = session_->saveStormFile(path); !written)
        return written.failure();
    return true;
}

} // namespace velmora
