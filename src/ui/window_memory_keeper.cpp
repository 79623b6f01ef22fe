#include "window_memory_keeper.h"

#include "export_target.h"
#include "result_grid.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>

namespace velmora {

WindowMemoryKeeper::WindowMemoryKeeper(QString optionsFileName, const QByteArray& optionsFileBytes)
    : optionsFileName_(std::move(optionsFileName)),
      memory_(WindowMemoryFromBytes(optionsFileBytes)) {}

void WindowMemoryKeeper::restore(QMainWindow& window, QSplitter& splitter, ResultGrid& grid,
                                 const TOptions& options) const {
    // Only a place on a screen that is there now: a monitor may have gone.
    if (memory_.geometry.isValid() && QGuiApplication::screenAt(memory_.geometry.center()))
        window.setGeometry(memory_.geometry);
    if (memory_.maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    if (memory_.panelWidth > 0) {
        const int total = splitter.sizes().value(0) + splitter.sizes().value(1);
        splitter.setSizes({std::max(1, total - memory_.panelWidth), memory_.panelWidth});
    }
    grid.setUserColumnWidths(memory_.columns, options);
}

void WindowMemoryKeeper::keep(const QMainWindow& window, const QSplitter& splitter,
                              const ResultGrid& grid) {
    memory_.geometry = window.normalGeometry();
    memory_.maximized = window.isMaximized();
    memory_.panelWidth = splitter.sizes().value(1);
    memory_.columns = grid.userColumnWidths();
    // Losing the window's place is no reason to keep a person from closing:
    // a failed write is not reported.
    if (!optionsFileName_.isEmpty())
        SaveWindowMemory(optionsFileName_, memory_);
}

QString WindowMemoryKeeper::dialogFolder(const QString& kind) const {
    const auto remembered = memory_.folders.find(kind);
    if (remembered != memory_.folders.end() && QFileInfo(remembered->second).isDir())
        return remembered->second;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void WindowMemoryKeeper::rememberFolder(const QString& kind, const QString& path) {
    memory_.folders[kind] = QFileInfo(path).absolutePath();
}

std::optional<QString>
WindowMemoryKeeper::askTarget(Desktop& desktop, FileDialogRequest request, const QString& kind,
                              const std::function<QString(int selectedType)>& extensionFor) {
    request.folder = dialogFolder(kind);
    const auto target = AskExportTarget(desktop, request, extensionFor);
    if (target)
        rememberFolder(kind, *target);
    return target;
}

} // namespace velmora
