#pragma once

#include "result.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace velmora {

// One file of a zip archive: its name inside the archive ("word/document.xml",
// "/" between folders) and its uncompressed bytes.
struct ZipEntry {
    QString name;
    QByteArray bytes;

    bool operator==(const ZipEntry&) const = default;
};

// Whether `name` stays inside the package when unpacked: relative, "/" as the
// only separator, no "." or ".." segment, no empty segment, no drive letter
// or other colon, no backslash.
bool IsSafeEntryName(const QString& name);

// The files of a zip archive held in memory, in the archive's order; folder
// entries are skipped. An archive that cannot be read, or that holds a name
// that would leave the package, gives a failure and no entries.
Result<std::vector<ZipEntry>> ReadZipArchive(const QByteArray& archive);

// A zip archive in memory with one deflated entry per file, in the order given
// and with no folder entries. Unsafe or repeated names, and names with a
// control character (U+0000 to U+001F, U+007F), give a failure.
Result<QByteArray> WriteZipArchive(const std::vector<ZipEntry>& entries);

} // namespace velmora
