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

FileRead ReadOpenFile(QFile& file, qint64 maxBytes) {
    FileRead read;
    errno = 0;
    // One byte more than allowed is enough to refuse a file that grew. The
    // buffer is made for the file's size, as reading allocates what it is
    // asked for: a model's reader allows 200 MB.
    const qint64 expected = std::min(file.size(), maxBytes) + 1;
    read.bytes = file.read(expected);
    if (read.bytes.size() == expected && expected <= maxBytes) // it grew
        read.bytes += file.read(maxBytes + 1 - expected);
    if (file.error() != QFileDevice::NoError) {
        read.outcome = FileRead::Outcome::CannotOpen;
        read.reason = errno != 0 ? SystemReasonText(errno) : file.errorString();
        read.bytes.clear();
    } else if (read.bytes.size() > maxBytes) {
        read.outcome = FileRead::Outcome::TooLarge;
        read.bytes.clear();
    }
    return read;
}

FileRead Refused(FileRead::Outcome outcome, QString reason = QString()) {
    FileRead read;
    read.outcome = outcome;
    read.reason = std::move(reason);
    return read;
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

FileRead ReadRegularFile(const QString& path, qint64 maxBytes) {
    // Windows keeps pipes and devices out of the file system's folders:
    // what is not a regular file here is a folder or a device name.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return Refused(FileRead::Outcome::NotRegularFile);
    if (info.size() > maxBytes)
        return Refused(FileRead::Outcome::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(FileRead::Outcome::CannotOpen, file.errorString());
    return ReadOpenFile(file, maxBytes);
}

Move MoveIntoPlace(const QString& temporary, const QString& target, bool replaceExisting) {
    const auto from = reinterpret_cast<const wchar_t*>(temporary.utf16());
    const auto to = reinterpret_cast<const wchar_t*>(target.utf16());
    if (MoveFileExW(from, to, replaceExisting ? MOVEFILE_REPLACE_EXISTING : 0))
        return {true, false, QString()};
    const DWORD code = GetLastError();
    if (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS)
        return {false, true, WindowsReason(code)};
    return {false, false, WindowsReason(code)};
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

FileRead ReadRegularFile(const QString& path, qint64 maxBytes) {
    // Opened without waiting: a pipe would otherwise block until a writer comes.
    const int handle =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0)
        return Refused(FileRead::Outcome::CannotOpen, SystemReasonText(errno));
    struct stat status {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(handle);
        return Refused(FileRead::Outcome::NotRegularFile);
    }
    if (status.st_size > maxBytes) {
        ::close(handle);
        return Refused(FileRead::Outcome::TooLarge);
    }
    QFile file;
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(handle);
        return Refused(FileRead::Outcome::CannotOpen, file.errorString());
    }
    return ReadOpenFile(file, maxBytes);
}

Move MoveIntoPlace(const QString& temporary, const QString& target, bool replaceExisting) {
    const QByteArray from = QFile::encodeName(temporary);
    const QByteArray to = QFile::encodeName(target);
    if (replaceExisting) {
        if (::rename(from.constData(), to.constData()) == 0)
            return {true, false, QString()};
        return {false, false, SystemReasonText(errno)};
    }
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return {true, false, QString()};
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
        // A file system without the no-replace rename: a hard link is made
        // only under a free name, too.
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
            return {true, false, QString()};
        }
        error = errno;
    }
    return {false, error == EEXIST, SystemReasonText(error)};
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
