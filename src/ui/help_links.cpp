#include "help_links.h"

#include "maker.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrlQuery>

namespace velmora {

QStringList DefaultManualFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program,
            QDir::cleanPath(program + QStringLiteral("/" VELMORA_MANUAL_FOLDER_FROM_PROGRAM))};
}

std::optional<QString> FindManual(const QStringList& folders) {
    for (const QString& folder : folders) {
        const QDir directory(folder);
        const QStringList found =
            directory.entryList({QStringLiteral("软件说明书*.pdf")}, QDir::Files, QDir::Name);
        if (!found.isEmpty())
            return directory.filePath(found.constFirst());
    }
    return std::nullopt;
}

QUrl CustomerServiceAddress() {
    QUrl address(QStringLiteral(VELMORA_MAKER_ADDRESS));
    address.setScheme(QStringLiteral("https"));
    address.setPath(QStringLiteral("/kefu/livechat"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("soft"), QStringLiteral("Velmora"));
    address.setQuery(query);
    return address;
}

} // namespace velmora
