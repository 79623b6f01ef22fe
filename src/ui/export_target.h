#pragma once

#include "desktop.h"

#include <functional>
#include <optional>

namespace velmora {

// Where an export goes: the path chosen in the save dialog with its extension
// replaced by `extensionFor(type selected when the dialog closed)`. Asks
// before replacing a file that the dialog did not ask about (the name it
// returned had another extension). Nothing when cancelled.
std::optional<QString>
AskExportTarget(Desktop& desktop, const FileDialogRequest& request,
                const std::function<QString(int selectedType)>& extensionFor);

// The save dialog "保存雨型数据" of a data export: `typeName` ("Excel文件(*.csv)")
// with the mask of `extension`, then all files.
FileDialogRequest DataExportRequest(const QString& proposedName, const QString& typeName,
                                    const QString& extension);

// The same dialog for the report and the workbook: the list "Excel文件" *.csv,
// "Word文件" *.docx, "Excel文件" *.xlsx with entry `selectedType` selected.
FileDialogRequest DocumentExportRequest(const QString& proposedName, int selectedType);

} // namespace velmora
