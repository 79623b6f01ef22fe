#pragma once

#include "desktop.h"
#include "window_memory.h"

#include <functional>
#include <optional>

class QMainWindow;
class QSplitter;

namespace velmora {

class ResultGrid;
struct TOptions;

// What the window remembers between runs, kept in the options file: its place
// and size, the panel and column widths, and the folder last used for each
// kind of file ("Storm", "Data", "Picture", "Document", "SwmmModel", "RainData").
class WindowMemoryKeeper {
public:
    // Takes what the options file remembers from its bytes as read
    // (`optionsFileBytes`); it writes to `optionsFileName`, unless that is empty.
    WindowMemoryKeeper(QString optionsFileName, const QByteArray& optionsFileBytes);

    // Puts the window, its splitter and the grid's columns where they were.
    void restore(QMainWindow& window, QSplitter& splitter, ResultGrid& grid,
                 const TOptions& options) const;
    // Takes them as they are now and writes them to the options file.
    void keep(const QMainWindow& window, const QSplitter& splitter, const ResultGrid& grid);

    // The folder a file dialog for `kind` opens in: the one last used, else
    // the documents folder.
    QString dialogFolder(const QString& kind) const;
    void rememberFolder(const QString& kind, const QString& path);
    // AskExportTarget, opening where files of `kind` went last.
    std::optional<QString> askTarget(Desktop& desktop, FileDialogRequest request,
                                     const QString& kind,
                                     const std::function<QString(int selectedType)>& extensionFor);

private:
    QString optionsFileName_;
    TWindowMemory memory_;
};

} // namespace velmora
