// What the window remembers between runs: its place and size, the panel and
// column widths, and the folder last used for each kind of file.

#include "main_window.h"

#include "export_target.h"
#include "result_grid.h"
#include "storm_session.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>

namespace velmora {

void TFormQuorvel::restoreWindowMemory() {
    memory_ = LoadWindowMemory(session_.optionsFileName());
    // Only a place on a screen that is there now: a monitor may have gone.
    if (memory_.geometry.isValid() && QGuiApplication::screenAt(memory_.geometry.center()))
        setGeometry(memory_.geometry);
    if (memory_.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    if (memory_.panelWidth > 0) {
        auto* splitter = static_cast<QSplitter*>(centralWidget());
        const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
        splitter->setSizes({std::max(1, total - memory_.panelWidth), memory_.panelWidth});
    }
    GridData->setUserColumnWidths(memory_.columns, session_.options());
}

void TFormQuorvel::closeEvent(QCloseEvent* event) {
    memory_.geometry = normalGeometry();
    memory_.maximized = isMaximized();
    memory_.panelWidth = static_cast<QSplitter*>(centralWidget())->sizes().value(1);
    memory_.columns = GridData->userColumnWidths();
    // Losing the window's place is no reason to keep a person from closing.
    if (!session_.optionsFileName().isEmpty())
        SaveWindowMemory(session_.optionsFileName(), memory_);
    QMainWindow::closeEvent(event);
}

QString TFormQuorvel::dialogFolder(const QString& kind) const {
    const auto remembered = memory_.folders.find(kind);
    if (remembered != memory_.folders.end() && QFileInfo(remembered->second).isDir())
        return remembered->second;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void TFormQuorvel::rememberFolder(const QString& kind, const QString& path) {
    memory_.folders[kind] = QFileInfo(path).absolutePath();
}

std::optional<QString> TFormQuorvel::askTarget(FileDialogRequest request, const QString& kind,
                                               const std::function<QString(int selectedType)>& extensionFor) {
    request.folder = dialogFolder(kind);
    const auto target = AskExportTarget(desktop_, request, extensionFor);
    if (target)
        rememberFolder(kind, *target);
    return target;
}

} // namespace velmora
