#include "atomic_file.h"
#include "file_size_limit.h"
#include "qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <thread>

namespace velmora {
namespace {

class AtomicFile : public ::testing::Test {
protected:
    QTemporaryDir folder;

    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    QByteArray contents(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
    }
    void put(const QString& file, const QByteArray& bytes) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList entries() const { return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System); }
};

TEST_F(AtomicFile, FullDiskKeepsTheOldFileLeavesNothingAndSaysWhy) {
    const QString target = path("storm.txt");
    put(target, "old contents");
    // Below the buffer's size the failure shows only at the final flush; above it at a write.
    for (const qsizetype size : {qsizetype(4000), qsizetype(100000)}) {
        Status written;
        {
            const testing::FileSizeLimit fullDisk(1000);
            written = WriteFileAtomically(target, QByteArray(size, 'x'));
        }
        EXPECT_FALSE(written) << size;
        EXPECT_EQ(written.message(), QStringLiteral("无法写入文件“%1”：%2")
                                         .arg(target, QString::fromLocal8Bit(std::strerror(EFBIG))));
        EXPECT_EQ(contents(target), "old contents");
        EXPECT_EQ(entries(), QStringList{QStringLiteral("storm.txt")});
    }
}

TEST_F(AtomicFile, LinkToARegularFileStaysALinkAndItsFileIsReplaced) {
    put(path("real.txt"), "old");
    ASSERT_TRUE(QFile::link(path("real.txt"), path("link.txt")));
    ASSERT_TRUE(WriteFileAtomically(path("link.txt"), "new"));
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(contents(path("real.txt")), "new");
}

#ifndef _WIN32 // named pipes and /dev are POSIX's
TEST_F(AtomicFile, PipesAndDevicesAreWrittenIntoNeverReplaced) {
    const QString fifo = path("pipe");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, path("link-to-pipe")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), path("link-to-null")));

    for (const char* name : {"pipe", "link-to-pipe"}) {
        QByteArray received;
        std::thread reader([&] { received = contents(fifo); });
        EXPECT_TRUE(WriteFileAtomically(path(name), "through the pipe")) << name;
        reader.join();
        EXPECT_EQ(received, "through the pipe") << name;
    }
    EXPECT_TRUE(WriteFileAtomically(path("link-to-null"), "discarded"));

    EXPECT_EQ(QFileInfo(fifo).isFile(), false);
    EXPECT_TRUE(QFileInfo(path("link-to-pipe")).isSymLink());
    EXPECT_TRUE(QFileInfo(path("link-to-null")).isSymLink());
    struct stat null {};
    ASSERT_EQ(stat("/dev/null", &null), 0);
    EXPECT_TRUE(S_ISCHR(null.st_mode));
    EXPECT_EQ(entries().size(), 3);
}
#endif

TEST_F(AtomicFile, AFolderIsRefused) {
    const Status written = WriteFileAtomically(folder.path(), "x");
    EXPECT_EQ(written.message(),
              QStringLiteral("无法写入文件“%1”：这是一个文件夹，不能作为文件写入").arg(folder.path()));
}

TEST_F(AtomicFile, SmallFilesAreReadLargerOnesAreNot) {
    put(path("small"), "12345");
    EXPECT_EQ(ReadSmallFile(path("small"), 5), QByteArray("12345"));
    EXPECT_EQ(ReadSmallFile(path("small"), 4), std::nullopt);
    EXPECT_EQ(ReadSmallFile(path("missing"), 5), std::nullopt);
    EXPECT_EQ(ReadSmallFile(folder.path(), 5), std::nullopt);
}

} // namespace
} // namespace velmora
