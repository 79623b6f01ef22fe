#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace velmora::testing {

// The bytes of the file at `path`, or "<none>" when it cannot be read.
inline QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// Writes `bytes` as the whole file at `path`; false when that failed.
inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace velmora::testing
