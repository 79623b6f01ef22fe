#include "atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace velmora {

namespace {

Failure WriteFailure(const QString& path, const QString& reason) {
    return {QStringLiteral("无法写入文件“%1”：%2").arg(path, reason)};
}

// The temporary file's engine does not keep the system's reason for a failed
// write ("Unknown error"); errno still holds it right after the failure.
QString SystemReason(const QFileDevice& file) {
    const int code = errno;
    if (code != 0)
        return QString::fromLocal8Bit(std::strerror(code));
    return file.errorString();
}

// Pipes and devices are written into as they are: replacing one would put a
// regular file where the system (or a reader waiting on the pipe) expects it.
Status WriteIntoSpecialFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WriteFailure(path, file.errorString());
    errno = 0;
    if (file.write(bytes) != bytes.size())
        return WriteFailure(path, SystemReason(file));
    return {};
}

} // namespace

Status WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path); // follows links
    if (target.isDir())
        return WriteFailure(path, QStringLiteral("这是一个文件夹，不能作为文件写入"));
    if (target.exists() && !target.isFile())
        return WriteIntoSpecialFile(path, bytes);

    // A link to a regular file: the file it points at is replaced, the link stays.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure(path, file.errorString());
    // Small writes stay in the buffer and commit() does not report a final
    // flush that fails (a full disk): flush first and look.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = SystemReason(file);
        file.cancelWriting(); // the temporary file goes with the object
        return WriteFailure(path, reason);
    }
    if (!file.commit())
        return WriteFailure(path, file.errorString());
    return {};
}

std::optional<QByteArray> ReadSmallFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than allowed is enough to refuse a file, whatever its size.
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace velmora
