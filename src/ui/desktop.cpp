#include "desktop.h"

namespace velmora {

QString FileTypeFilter(const FileType& type) {
    QString masks = type.mask;
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    return QStringLiteral("%1 (%2)").arg(type.name, masks);
}

bool AskReplaceFile(Desktop& desktop, const QString& path) {
    return desktop.askYesNo(PromptTitle, QStringLiteral("文件“%1”已经存在。\r\n要替换它吗？").arg(path));
}

} // namespace velmora
