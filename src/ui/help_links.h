#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace velmora {

// The folders where "帮助" looks for the user manual: the program's own, then
// the installation's data folder for it (share/velmora beside bin).
QStringList DefaultManualFolders();

// The first "软件说明书*.pdf" the folders hold, in their order and by name
// within a folder.
std::optional<QString> FindManual(const QStringList& folders);

// The maker's customer-service page for this program: https, the maker's
// host, /kefu/livechat?soft=Velmora.
QUrl CustomerServiceAddress();

} // namespace velmora
