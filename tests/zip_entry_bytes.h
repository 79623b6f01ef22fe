#pragma once

#include "zip_archive.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <vector>

namespace velmora::testing {

// The bytes of the entry `name`, or "<none>" when the archive has no such entry.
inline QByteArray EntryBytes(const std::vector<ZipEntry>& entries, const QString& name) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const ZipEntry& e) { return e.name == name; });
    return found == entries.end() ? QByteArray("<none>") : found->bytes;
}

} // namespace velmora::testing
