#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// Writes `bytes` to `path` so that the file is either replaced whole or left
// exactly as it was. A regular file (or a missing one) is written through a
// temporary file in the same folder that replaces it only when every byte is
// on disk, so a full disk keeps the old file and leaves nothing beside it. A
// target that exists and is not a regular file (a pipe, a device, a link to
// one) is written into and never replaced; a folder is refused. A failure
// names the path and the system's reason.
Status WriteFileAtomically(const QString& path, const QByteArray& bytes);

// The bytes of the file at `path` when it has at most `maxBytes`; nothing when
// it cannot be read or is larger.
std::optional<QByteArray> ReadSmallFile(const QString& path, qint64 maxBytes);

} // namespace velmora
