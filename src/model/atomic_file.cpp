#include "atomic_file.h"

#include "platform_files.h"
#include "system_reason.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <cerrno>

namespace velmora {

namespace {

Failure WriteFailure(const QString& path, const QString& reason,
                     FailureKind kind = FailureKind::General) {
    return {QStringLiteral("无法写入文件“%1”：%2").arg(path, reason), kind};
}

// The temporary file's engine does not keep the system's reason for a failed
// write ("Unknown error"); errno still holds it right after the failure.
QString SystemReason(const QFileDevice& file) {
    const int code = errno;
    if (code != 0)
        return SystemReasonText(code);
    return file.errorString();
}

// Why no file could be made beside `path`. Every save writes a new file in
// the target's folder first, so a folder that allows no new files refuses it
// even where the file itself is writable: the folder is named, not the file.
QString NewFileReason(const QString& path, const QFileDevice& file) {
    const int code = errno;
    if (code != EACCES && code != EPERM)
        return code != 0 ? SystemReasonText(code) : file.errorString();
    const QFileInfo target(path); // a link is saved beside the file it points at
    const QString real = target.exists() ? target.canonicalFilePath() : path;
    return QStringLiteral("文件夹“%1”不允许在其中新建文件（保存时先在同一文件夹写好新文件再替换），"
                          "请保存到另一个文件夹")
        .arg(QFileInfo(real).absolutePath());
}

// Small writes stay in the buffer and a final flush that fails (a full disk)
// is not reported by close or commit: flush first and look.
bool WriteAll(QFileDevice& file, const QByteArray& bytes) {
    errno = 0;
    return file.write(bytes) == bytes.size() && file.flush();
}

// Pipes and devices are written into as they are: replacing one would put a
// regular file where the system (or a reader waiting on the pipe) expects it.
Status WriteIntoSpecialFile(const QString& path, const QByteArray& bytes) {
    QFile file;
    if (const Status opened = platform::OpenSpecialFileForWriting(path, file); !opened)
        return WriteFailure(path, opened.message());
    errno = 0;
    if (file.write(bytes) != bytes.size())
        return WriteFailure(path, SystemReason(file));
    return {};
}

// A link to a regular file: the file it points at is replaced, the link stays.
Status ReplaceFollowingLinks(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return WriteFailure(path, NewFileReason(path, file));
    if (!WriteAll(file, bytes)) {
        const QString reason = SystemReason(file);
        file.cancelWriting(); // the temporary file goes with the object
        return WriteFailure(path, reason);
    }
    // Everything is on disk; only putting it in place failed, which a file
    // held open by another program prevents on some systems.
    if (!file.commit())
        return WriteFailure(path, file.errorString(), FailureKind::TargetInUse);
    return {};
}

// A fresh file beside `path` that no other program has, created with the
// permissions a new file gets.
bool OpenTemporaryBeside(const QString& path, QFile& file) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(QStringLiteral("%1.%2.tmp")
                             .arg(path)
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        errno = 0;
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Writes beside `path` and then gives the file the name, replacing the name
// itself (never following a link) or only taking a free one.
Status PublishUnderName(const QString& path, const QByteArray& bytes, bool replaceExisting) {
    QFile file;
    if (!OpenTemporaryBeside(path, file))
        return WriteFailure(path, NewFileReason(path, file));
    const bool written = WriteAll(file, bytes);
    const QString reason = SystemReason(file);
    file.close();
    if (!written) {
        file.remove();
        return WriteFailure(path, reason);
    }
    const Status moved = platform::MoveIntoPlace(file.fileName(), path, replaceExisting);
    if (moved)
        return {};
    file.remove();
    return WriteFailure(path, moved.message(), moved.failure().kind);
}

Failure ReadFailure(const QString& path, const QString& reason) {
    return {QStringLiteral("无法打开文件“%1”：%2").arg(path, reason)};
}

} // namespace

Status WriteFileAtomically(const QString& path, const QByteArray& bytes, ExistingFile existing) {
    const QFileInfo target(path); // follows links
    // Only a plain save follows a link; otherwise a link to a folder is just a name.
    const bool linkIsAName = existing != ExistingFile::Replace && target.isSymLink();
    if (target.isDir() && !linkIsAName)
        return WriteFailure(path, QStringLiteral("这是一个文件夹，不能作为文件写入"));
    switch (existing) {
    case ExistingFile::Replace:
        if (target.exists() && !target.isFile())
            return WriteIntoSpecialFile(path, bytes);
        return ReplaceFollowingLinks(path, bytes);
    case ExistingFile::ReplaceName:
        return PublishUnderName(path, bytes, true);
    case ExistingFile::Keep:
        return PublishUnderName(path, bytes, false);
    }
    return WriteFailure(path, QStringLiteral("未知的写入方式"));
}

Result<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes) {
    if (path.isEmpty())
        return ReadFailure(path, SystemReasonText(ENOENT));
    Result<QByteArray> read = platform::ReadRegularFileBytes(path, maxBytes);
    if (!read)
        return ReadFailure(path, read.message());
    return read;
}

} // namespace velmora
