#pragma once

#include "result.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// The file-system calls that differ between Linux and Windows, and nothing
// else: the one place that includes a system header for files.
namespace velmora::platform {

// The bytes of the file at `path` (a link is followed) when it is a regular
// file of at most `maxBytes`. A pipe, a device or a folder is refused without
// waiting for a writer, a larger file without reading it. The failure is the
// reason alone, without the path.
Result<QByteArray> ReadRegularFileBytes(const QString& path, qint64 maxBytes);

// Gives the finished file `temporary` the name `target` in the same folder.
// With `replaceExisting`, whatever has that name is replaced as a name (a
// link itself, never the file it points to); without, the move happens only
// if no file has the name at that very moment, so that of several programs
// publishing one name exactly one succeeds. The failure is the system's
// reason, of kind NameTaken when the name was taken and kept, TargetInUse
// otherwise.
Status MoveIntoPlace(const QString& temporary, const QString& target, bool replaceExisting);

// The no-replace move of a file system that has no no-replace rename: a hard
// link takes the name only while it is free, then the temporary name goes.
Status LinkIntoFreeName(const QString& temporary, const QString& target);

// Whether the program was started with its standard output closed. Then the
// null device is put in its place, so that no file opened later takes its
// number and receives what is printed.
bool StandardOutputWasClosed();

// Opens the pipe or device at `path` for writing into `file`; the failure is
// the system's reason alone. A pipe that no program reads is refused at once:
// waiting for a reader would hang the program for ever.
Status OpenSpecialFileForWriting(const QString& path, QFile& file);

} // namespace velmora::platform
