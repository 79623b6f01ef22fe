#include "desktop.h"

namespace velmora {

QString FileTypeFilter(const FileType& type) {
    QString masks = type.mask;
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt filters by the masks in the name's closing parentheses: a name that
    // already ends with them is shown as it is, any other gets them appended.
    const QString ownMasks = QLatin1Char('(') + masks + QLatin1Char(')');
    if (type.name.endsWith(ownMasks))
        return type.name;
    return QStringLiteral("%1 (%2)").arg(type.name, masks);
}

bool AskReplaceFile(Desktop& desktop, const QString& path) {
    return desktop.askYesNo(PromptTitle,
                            QStringLiteral("文件“%1”已经存在。\r\n要替换它吗？").arg(path));
}

} // namespace velmora
