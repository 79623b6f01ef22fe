#include "platform_files.h"

#include "system_reason.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora::platform {

namespace {

Failure NotRegularFile() {
    return Failure{QStringLiteral("这不是普通文件（可能是文件夹、管道或设备）")};
}

Failure TooLarge(qint64 maxBytes) {
    return Failure{QStringLiteral("文件超过了%1字节，不是本程序的文件").arg(maxBytes)};
}

Result<QByteArray> ReadOpenFile(QFile& file, qint64 maxBytes) {
    errno = 0;
    // One byte more than allowed is enough to refuse a file that grew. The
    // buffer is made for the file's size, as reading allocates what it is
    // asked for: a model's reader allows 200 MB.
    const qint64 expected = std::min(file.size(), maxBytes) + 1;
    QByteArray bytes = file.read(expected);
    if (bytes.size() == expected && expected <= maxBytes) // it grew
        bytes += file.read(maxBytes + 1 - expected);
    if (file.error() != QFileDevice::NoError)
        return Failure{errno != 0 ? SystemReasonText(errno) : file.errorString()};
    if (bytes.size() > maxBytes)
        return TooLarge(maxBytes);
    return bytes;
}

Failure MoveFailure(const QString& reason, bool nameTaken) {
    return Failure{reason, nameTaken ? FailureKind::NameTaken : FailureKind::TargetInUse};
}

} // namespace

#ifdef Q_OS_WIN

namespace {

QString WindowsReason(DWORD code) {
    switch (code) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return QStringLiteral("文件正被另一个程序使用");
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("没有访问权限，或文件正被另一个程序使用");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("磁盘空间不足");
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
        return QStringLiteral("文件或文件夹不存在");
    default:
        return QStringLiteral("系统错误%1").arg(code);
    }
}

} // namespace

Result<QByteArray> ReadRegularFileBytes(const QString& path, qint64 maxBytes) {
    // Windows keeps pipes and devices out of the file system's folders:
    // what is not a regular file here is a folder or a device name.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return NotRegularFile();
    if (info.size() > maxBytes)
        return TooLarge(maxBytes);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{file.errorString()};
    return ReadOpenFile(file, maxBytes);
}

Status MoveIntoPlace(const QString& temporary, const QString& target, bool replaceExisting) {
    const auto from = reinterpret_cast<const wchar_t*>(temporary.utf16());
    const auto to = reinterpret_cast<const wchar_t*>(target.utf16());
    if (MoveFileExW(from, to, replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0))
        return {};
    const DWORD code = GetLastError();
    return MoveFailure(WindowsReason(code),
                       code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS);
}

Status LinkIntoFreeName(const QString& temporary, const QString& target) {
    return MoveIntoPlace(temporary, target, false); // MoveFileExW never replaces without asking
}

bool StandardOutputWasClosed() {
    return false; // a closed handle fails the first write, which says so
}

Status OpenSpecialFileForWriting(const QString& path, QFile& file) {
    file.setFileName(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {};
    return Failure{file.errorString()};
}

#else

Result<QByteArray> ReadRegularFileBytes(const QString& path, qint64 maxBytes) {
    // Opened without waiting: a pipe would otherwise block until a writer comes.
    const int handle =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return Failure{SystemReasonText(errno)};
    struct stat status {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        return NotRegularFile();
    }
    if (status.st_size > maxBytes) {
        ::close(handle);
        return TooLarge(maxBytes);
    }
    QFile file;
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return Failure{file.errorString()};
    }
    return ReadOpenFile(file, maxBytes);
}

Status MoveIntoPlace(const QString& temporary, const QString& target, bool replaceExisting) {
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(target);
    if (replaceExisting) {
        if (::rename(from.constData(), to.constData()) == 0)
            return {};
        return MoveFailure(SystemReasonText(errno), false);
    }
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return {};
    const int error = errno;
    if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP)
        return LinkIntoFreeName(temporary, target);
    return MoveFailure(SystemReasonText(error), error == EEXIST);
}

Status LinkIntoFreeName(const QString& temporary, const QString& target) {
    const QByteArray from = QFile::encodeName(temporary);
    if (::link(from.constData(), QFile::encodeName(target).constData()) != 0)
        return MoveFailure(SystemReasonText(errno), errno == EEXIST);
    ::unlink(from.constData());
    return {};
}

bool StandardOutputWasClosed() {
    if (::fcntl(STDOUT_FILENO, F_GETFD) >= 0 || errno != EBADF)
        return false;
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0 && null != STDOUT_FILENO) {
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    return true;
}

namespace {

// Opens without blocking: a pipe with no reader fails with ENXIO rather than
// blocking the open until one comes, which may be never. A reader started
// just before the program (`cat pipe & velmora-cli --out pipe`) may not have
// opened its end yet, so it is given a few seconds.
int OpenForWritingWhenRead(const QByteArray& path) {
    constexpr auto ReaderWait = std::chrono::seconds(3);
    const auto giveUp = std::chrono::steady_clock::now() + ReaderWait;
    for (;;) {
        const int handle = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (handle >= 0 || errno != ENXIO || std::chrono::steady_clock::now() >= giveUp)
            return handle;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

Status OpenSpecialFileForWriting(const QString& path, QFile& file) {
    const int handle = OpenForWritingWhenRead(QFile::encodeName(path));
    if (handle < 0)
        return Failure{errno == ENXIO
                           ? QStringLiteral("没有程序在读取这个管道，请先启动读取它的程序")
                           : SystemReasonText(errno)};
    // Once open, writes wait for the reader as a pipe's writer should.
    const int flags = ::fcntl(handle, F_GETFL);
    if (flags < 0 || ::fcntl(handle, F_SETFL, flags & ~O_NONBLOCK) < 0 ||
        !file.open(handle, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        const QString reason = SystemReasonText(errno);
        ::close(handle);
        return Failure{reason};
    }
    return {};
}

#endif

} // namespace velmora::platform
