#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// What a write does to a file that already has the target's name.
enum class ExistingFile {
    // Replaced, as a save in the window replaces: a link is followed and the
    // file it points at replaced, a pipe or device is written into.
    Replace,
    // The name is replaced whatever it is: a link is replaced itself and never
    // followed, so nothing outside the target's folder changes.
    ReplaceName,
    // Kept: the file is put in place only if no file has its name at that
    // moment, also one that appeared while it was being written.
    Keep,
};

// Writes `bytes` to `path` so that the file is either replaced whole or left
// exactly as it was. The bytes go to a temporary file in the same folder that
// takes the name only when every byte is on disk, so a full disk keeps the old
// file and leaves nothing beside it. A folder is refused. A failure names the
// path and the system's reason; a finished file that could not replace the
// old one fails as FailureKind::TargetInUse.
Status WriteFileAtomically(const QString& path, const QByteArray& bytes,
                           ExistingFile existing = ExistingFile::Replace);

// The bytes of the regular file at `path` (a link is followed) when it has at
// most `maxBytes`. A pipe, a device or a folder is refused without waiting
// for it, a larger file without reading it; the failure names the path.
Result<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes);

} // namespace velmora
