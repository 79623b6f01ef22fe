#include "export_target.h"

#include "export_names.h"

#include <QFileInfo>

namespace velmora {

std::optional<QString>
AskExportTarget(Desktop& desktop, const FileDialogRequest& request,
                const std::function<QString(int selectedType)>& extensionFor) {
    const auto chosen = desktop.askSaveFile(request);
    if (!chosen || chosen->path.trimmed().isEmpty())
        return std::nullopt;
    const QString target = ReplaceExtension(chosen->path, extensionFor(chosen->selectedType));
    // The dialog asked about the name it returned, not about this one.
    if (target != chosen->path && QFileInfo::exists(target) && !AskReplaceFile(desktop, target))
        return std::nullopt;
    return target;
}

FileDialogRequest DataExportRequest(const QString& proposedName, const QString& typeName,
                                    const QString& extension) {
    return {QStringLiteral("保存雨型数据"),
            proposedName,
            {{typeName, QLatin1Char('*') + extension},
             {QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")}},
            0,
            true,
            QString()};
}

FileDialogRequest DocumentExportRequest(const QString& proposedName, int selectedType) {
    return {QStringLiteral("保存雨型数据"),
            proposedName,
            {{QStringLiteral("Excel文件"), QStringLiteral("*.csv")},
             {QStringLiteral("Word文件"), QStringLiteral("*.docx")},
             {QStringLiteral("Excel文件"), QStringLiteral("*.xlsx")}},
            selectedType,
            true,
            QString()};
}

} // namespace velmora
