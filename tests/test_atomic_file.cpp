#include "atomic_file.h"
#include "file_size_limit.h"
#include "platform_files.h"
#include "posix_files.h"
#include "qstring_printer.h"
#include "system_reason.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <thread>
#ifndef _WIN32
#include <unistd.h>
#endif
#include <vector>

namespace velmora {
namespace {

class AtomicFile : public ::testing::Test {
protected:
    QTemporaryDir folder;

    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    static QByteArray contents(const QString& file) { return velmora::testing::Contents(file); }
    static void put(const QString& file, const QByteArray& bytes) {
        ASSERT_TRUE(velmora::testing::WriteBytes(file, bytes));
    }
    QStringList entries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    }
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
        EXPECT_EQ(
            written.message(),
            QStringLiteral("无法写入文件“%1”：%2").arg(target, velmora::SystemReasonText(EFBIG)));
        EXPECT_EQ(contents(target), "old contents");
        EXPECT_EQ(entries(), QStringList{QStringLiteral("storm.txt")});
    }
}

TEST_F(AtomicFile, LinkToARegularFileStaysALinkAndItsFileIsReplaced) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS();
    put(path("real.txt"), "old");
    ASSERT_TRUE(QFile::link(path("real.txt"), path("link.txt")));
    ASSERT_TRUE(WriteFileAtomically(path("link.txt"), "new"));
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(contents(path("real.txt")), "new");
}

#ifndef _WIN32 // named pipes and /dev are POSIX's
TEST_F(AtomicFile, PipesAndDevicesAreWrittenIntoNeverReplaced) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS();
    const QString fifo = path("pipe");
    ASSERT_TRUE(velmora::testing::MakeFifo(fifo));
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

TEST_F(AtomicFile, APipeNobodyReadsIsAFailureNotAHang) {
    ASSERT_TRUE(velmora::testing::MakeFifo(path("pipe")));
    EXPECT_EQ(WriteFileAtomically(path("pipe"), "nobody reads this").message(),
              QStringLiteral("无法写入文件“%1”：没有程序在读取这个管道，请先启动读取它的程序")
                  .arg(path("pipe")));
}

// Permissions, as a user whom they bind: the tests may run as root.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser() : wasRoot_(geteuid() == 0) {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~AsUnprivilegedUser() {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }

private:
    const bool wasRoot_;
};

TEST_F(AtomicFile, AFolderThatAllowsNoNewFileIsNamedNotTheFile) {
    const QString readOnly = path("read-only folder");
    ASSERT_TRUE(QDir().mkdir(readOnly));
    put(readOnly + QStringLiteral("/data.csv"), "old");
    chmod(QFile::encodeName(folder.path()).constData(), 0755);
    chmod(QFile::encodeName(readOnly + QStringLiteral("/data.csv")).constData(), 0666);
    chmod(QFile::encodeName(readOnly).constData(), 0555);
    const QString folderRefuses =
        QStringLiteral("文件夹“%1”不允许在其中新建文件（保存时先在同一文件夹写好新文件再替换），"
                       "请保存到另一个文件夹")
            .arg(readOnly);
    const struct {
        QString path;
        ExistingFile existing;
        QString reason;
    } cases[] = {
        {readOnly + QStringLiteral("/data.csv"), ExistingFile::Replace, folderRefuses},
        {readOnly + QStringLiteral("/data.csv"), ExistingFile::ReplaceName, folderRefuses},
        {readOnly + QStringLiteral("/new.csv"), ExistingFile::Keep, folderRefuses},
    };
    {
        const AsUnprivilegedUser unprivileged;
        for (const auto& c : cases)
            EXPECT_EQ(WriteFileAtomically(c.path, "new", c.existing).message(),
                      QStringLiteral("无法写入文件“%1”：%2").arg(c.path, c.reason));
    }
    chmod(QFile::encodeName(readOnly).constData(), 0755);
    EXPECT_EQ(contents(readOnly + QStringLiteral("/data.csv")), "old");
}
#endif

TEST_F(AtomicFile, AFolderIsRefused) {
    const Status written = WriteFileAtomically(folder.path(), "x");
    EXPECT_EQ(
        written.message(),
        QStringLiteral("无法写入文件“%1”：这是一个文件夹，不能作为文件写入").arg(folder.path()));
}

TEST_F(AtomicFile, SmallFilesAreReadLargerOnesAreNot) {
    put(path("small"), "12345");
    EXPECT_EQ(ReadRegularFile(path("small"), 5).value_or("unread"), QByteArray("12345"));
    EXPECT_EQ(ReadRegularFile(path("small"), 4).value_or("unread"), "unread");
    EXPECT_EQ(ReadRegularFile(path("missing"), 5).value_or("unread"), "unread");
    EXPECT_EQ(ReadRegularFile(folder.path(), 5).value_or("unread"), "unread");
}

// The kept names' publishing on a file system without the no-replace rename.
TEST_F(AtomicFile, WithoutANoReplaceRenameALinkTakesOnlyAFreeName) {
    put(path("written.tmp"), "new");
    put(path("taken"), "kept");
    const Status taken = platform::LinkIntoFreeName(path("written.tmp"), path("taken"));
    EXPECT_EQ(taken.failure().kind, FailureKind::NameTaken);
    EXPECT_TRUE(platform::LinkIntoFreeName(path("written.tmp"), path("free")));
    EXPECT_EQ(contents(path("free")), "new");
    EXPECT_EQ(contents(path("taken")), "kept");
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("free"), QStringLiteral("taken")}));
}

TEST_F(AtomicFile, ABatchsNamesAreKeptOrReplacedAsNamesNeverFollowed) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS();
    QTemporaryDir outside;
    const QString theirs = outside.filePath(QStringLiteral("theirs.txt"));
    put(theirs, "outside the folder");
    const QString dangling = outside.filePath(QStringLiteral("nothing-yet.txt"));
    const struct {
        const char* name;
        ExistingFile existing;
        bool written;
        const char* leftThere; // the name's file afterwards (through a link)
    } cases[] = {
        {"file.txt", ExistingFile::Keep, false, "old"},
        {"link.txt", ExistingFile::Keep, false, "outside the folder"},
        {"dangling.txt", ExistingFile::Keep, false, "<none>"},
        {"free.txt", ExistingFile::Keep, true, "new"},
        {"file.txt", ExistingFile::ReplaceName, true, "new"},
        {"link.txt", ExistingFile::ReplaceName, true, "new"},
        {"dangling.txt", ExistingFile::ReplaceName, true, "new"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        put(path("file.txt"), "old");
        ASSERT_TRUE(QFile::link(theirs, path("link.txt")));
        ASSERT_TRUE(QFile::link(dangling, path("dangling.txt")));
        const Status written = WriteFileAtomically(path(c.name), "new", c.existing);
        EXPECT_EQ(written.ok(), c.written);
        if (!c.written) {
            EXPECT_EQ(written.failure().kind, FailureKind::NameTaken);
        }
        EXPECT_EQ(contents(path(c.name)), c.leftThere);
        EXPECT_EQ(QFileInfo(path(c.name)).isSymLink(),
                  !c.written && QString::fromUtf8(c.name) != "file.txt");
        EXPECT_EQ(contents(theirs), "outside the folder");
        EXPECT_FALSE(QFileInfo::exists(dangling));
        EXPECT_EQ(entries().size(), c.written && QString::fromUtf8(c.name) == "free.txt" ? 4 : 3);
    }
}

TEST_F(AtomicFile, OfRacingWritersThatKeepNamesExactlyOneTakesTheName) {
    std::vector<std::thread> writers;
    std::atomic<int> succeeded = 0;
    for (int i = 0; i < 10; ++i)
        writers.emplace_back([&, i] {
            if (WriteFileAtomically(path("storm.txt"), QByteArray::number(i), ExistingFile::Keep))
                ++succeeded;
        });
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(succeeded, 1);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("storm.txt")});
}

TEST_F(AtomicFile, AFullDiskLeavesNothingBesideAKeptName) {
    Status written;
    {
        const testing::FileSizeLimit fullDisk(1000);
        written = WriteFileAtomically(path("storm.txt"), QByteArray(4000, 'x'), ExistingFile::Keep);
    }
    EXPECT_EQ(
        written.message(),
        QStringLiteral("无法写入文件“%1”：%2").arg(path("storm.txt"), SystemReasonText(EFBIG)));
    EXPECT_TRUE(entries().isEmpty());
}

TEST_F(AtomicFile, ReadersRefusePipesDevicesAndLargeFilesAtOnce) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS();
    ASSERT_TRUE(velmora::testing::MakeFifo(path("pipe"))); // no writer: opening it would wait
    put(path("large"), QByteArray(11, 'x'));
    const QString notRegular = QStringLiteral("这不是普通文件（可能是文件夹、管道或设备）");
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {path("pipe"), notRegular},
        {QStringLiteral("/dev/zero"), notRegular},
        {folder.path(), notRegular},
        {path("large"), QStringLiteral("文件超过了10字节，不是本程序的文件")},
        {path("missing"), SystemReasonText(ENOENT)},
    };
    for (const auto& c : cases) {
        const Result<QByteArray> read = ReadRegularFile(c.path, 10);
        EXPECT_EQ(read.message(), QStringLiteral("无法打开文件“%1”：%2").arg(c.path, c.reason));
    }
}

TEST_F(AtomicFile, ReadingTakesTheMemoryOfTheFileNotOfTheLimit) {
    put(path("small"), QByteArray(100, 'x'));
    const Result<QByteArray> read = ReadRegularFile(path("small"), qint64{1} << 30);
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, QByteArray(100, 'x'));
    EXPECT_LT(read->capacity(), 1 << 20);
}

} // namespace
} // namespace velmora
