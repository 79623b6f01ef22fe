#include "zip_archive.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

// An archive holding one file named `name`, made by writing a harmless name
// of the same length and patching the name into both of its headers.
QByteArray ArchiveWithName(const QByteArray& name) {
    const QByteArray harmless(name.size(), 'q');
    const Result<QByteArray> archive = WriteZipArchive({{QString::fromLatin1(harmless), "data"}});
    EXPECT_TRUE(archive.ok()) << archive.message().toStdString();
    QByteArray patched = archive.value();
    EXPECT_EQ(patched.count(harmless), 2);
    return patched.replace(harmless, name);
}

} // namespace

TEST(ZipArchive, RefusesNamesThatLeaveThePackage) {
    for (const char* name : {"../evil.xml", "word/../../evil.xml", "..", "/etc/evil.xml",
                             "C:/evil.xml", "c:evil.xml", "word\\evil.xml", "..\\evil.xml",
                             "../", "./evil.xml", "word//evil.xml"}) {
        const auto read = ReadZipArchive(ArchiveWithName(name));
        EXPECT_FALSE(read.ok()) << name;
        EXPECT_EQ(read.message(), QStringLiteral("出错：压缩包中的文件名“%1”指向包外，已拒绝读取")
                                      .arg(QString::fromLatin1(name)));
    }
    // The same patching with safe names reads back.
    for (const char* name : {"word/document.xml", "[Content_Types].xml", "_rels/.rels", "a..b"}) {
        const auto read = ReadZipArchive(ArchiveWithName(name));
        ASSERT_TRUE(read.ok()) << name << ": " << read.message().toStdString();
        EXPECT_EQ(*read, (std::vector<ZipEntry>{{QString::fromLatin1(name), "data"}}));
    }
}

TEST(ZipArchive, WritesAndReadsBackInOrder) {
    const std::vector<ZipEntry> entries = {{"b.xml", QByteArray(100000, 'x')},
                                           {"word/空.xml", ""},
                                           {"a/b/c.xml", "<a>时间</a>"}};
    const auto archive = WriteZipArchive(entries);
    ASSERT_TRUE(archive.ok());
    const auto read = ReadZipArchive(*archive);
    ASSERT_TRUE(read.ok()) << read.message().toStdString();
    EXPECT_EQ(*read, entries);

    EXPECT_FALSE(WriteZipArchive({{"a.xml", "1"}, {"a.xml", "2"}}).ok());
    EXPECT_FALSE(WriteZipArchive({{"../a.xml", "1"}}).ok());
    EXPECT_FALSE(ReadZipArchive("PK not an archive").ok());
    const auto empty = WriteZipArchive({});
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(ReadZipArchive(*empty)->size(), 0u);
}
