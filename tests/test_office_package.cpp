#include "error_reason.h"
#include "office_package.h"
#include "placeholders.h"
#include "qstring_printer.h"
#include "row_snippet.h"
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

std::vector<QString> Names(const std::vector<ZipEntry>& entries) {
    std::vector<QString> names;
    for (const ZipEntry& entry : entries)
        names.push_back(entry.name);
    return names;
}

} // namespace

TEST(ZipArchive, RefusesNamesThatLeaveThePackage) {
    for (const char* name :
         {"../evil.xml", "word/../../evil.xml", "..", "/etc/evil.xml", "C:/evil.xml", "c:evil.xml",
          "word\\evil.xml", "..\\evil.xml", "../", "./evil.xml", "word//evil.xml"}) {
        const auto read = ReadZipArchive(ArchiveWithName(name));
        EXPECT_FALSE(read.ok()) << name;
        EXPECT_EQ(ErrorReason(read), QStringLiteral("压缩包中的文件名“%1”指向包外，已拒绝读取")
                                         .arg(QString::fromLatin1(name)));
    }
    // The same patching with safe names reads back.
    for (const char* name : {"word/document.xml", "[Content_Types].xml", "_rels/.rels", "a..b"}) {
        const auto read = ReadZipArchive(ArchiveWithName(name));
        ASSERT_TRUE(read.ok()) << name << ": " << read.message().toStdString();
        EXPECT_EQ(*read, (std::vector<ZipEntry>{{QString::fromLatin1(name), "data"}}));
    }
}

TEST(ZipArchive, DamagedArchivesSayWhyInChinese) {
    const QByteArray archive = WriteZipArchive({{"a.xml", QByteArray(1000, 'x')}}).value();
    QByteArray badData = archive;
    badData[40] = static_cast<char>(badData[40] ^ 0x55); // inside the deflated data
    QByteArray badDirectory = archive;
    badDirectory.chop(10);
    const struct {
        QByteArray bytes;
        QString message;
    } cases[] = {
        {"PK not an archive", QStringLiteral("无法读取压缩包（不是压缩包）")},
        {badDirectory, QStringLiteral("无法读取压缩包（不是压缩包）")},
        {badData, QStringLiteral("无法读取压缩包（校验和（CRC）不符，数据已损坏）")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorReason(ReadZipArchive(c.bytes)), c.message);
}

TEST(ZipArchive, WritesAndReadsBackInOrder) {
    const std::vector<ZipEntry> entries = {
        {"b.xml", QByteArray(100000, 'x')}, {"word/空.xml", ""}, {"a/b/c.xml", "<a>时间</a>"}};
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

TEST(ZipArchive, RefusesNamesWithControlCharactersBeforeWriting) {
    // libzip refused most of them with only "Invalid argument"; a tab it took.
    for (const QString& name :
         {QStringLiteral("a\x0e.xml"), QStringLiteral("word/a\tb.xml"), QStringLiteral("a\x7f.xml"),
          QString(QStringLiteral("a%1b.xml")).arg(QChar(0))}) {
        const auto written = WriteZipArchive({{QStringLiteral("ok.xml"), "1"}, {name, "2"}});
        EXPECT_FALSE(written.ok()) << name.toStdString();
        EXPECT_EQ(ErrorReason(written), QStringLiteral("文件名“%1”不能放入压缩包").arg(name));
    }
}

TEST(Placeholders, ReplacedInOrderWordAsWrittenExcelInAnyCase) {
    struct Case {
        const char* text;
        std::vector<TReplacement> replacements;
        Qt::CaseSensitivity matching;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"<v><!--A-->|<!--a-->|<!--A--></v>",
         {{"<!--A-->", "1"}},
         WordPlaceholderMatching,
         "<v>1|<!--a-->|1</v>"},
        {"<v><!--A-->|<!--a-->|时间|时间</v>",
         {{"<!--a-->", "1"}, {"时间", "t"}},
         ExcelPlaceholderMatching,
         "<v>1|1|t|t</v>"},
        {"<c>Sheet1!$A$2:$A$122</c>",
         {{"sheet1!$a$2:$A$122", "数据!$A$2:$A$1442"}},
         ExcelPlaceholderMatching,
         "<c>数据!$A$2:$A$1442</c>"},
        // A later replacement sees the earlier values; a value is not searched again.
        {"<!--X-->",
         {{"<!--X-->", "<!--Y--><!--X-->"}, {"<!--Y-->", "y"}},
         WordPlaceholderMatching,
         "y<!--X-->"},
        {"aaa", {{"aa", "b"}, {"", "z"}}, WordPlaceholderMatching, "ba"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplacePlaceholders(QString::fromUtf8(c.text), c.replacements, c.matching),
                  QString::fromUtf8(c.expected))
            << c.text;
}

TEST(RowSnippet, FillsTheThreeSlotsOfEveryRowInOrder) {
    const QString snippet = QStringLiteral("<r>%s|%s|%s</r>");
    EXPECT_EQ(*BuildRows(snippet, {}), QString());
    EXPECT_EQ(*BuildRows(snippet, {{"00", "0.19", "0.19"}, {"a<b", "%s&", "x>"}}),
              QStringLiteral("<r>00|0.19|0.19</r><r>a&lt;b|%s&amp;|x&gt;</r>"));
    EXPECT_EQ(ErrorReason(BuildRows(QStringLiteral("<r>%s|%s</r>"), {{"1", "2", "3"}})),
              QStringLiteral("模板中的表格行应有三个单元格，模板已损坏"));
}

TEST(TemplatePackage, FoundInAnyCaseWithContentTypesFirst) {
    const auto exact = LoadTemplatePackage(QStringLiteral("CalcData"));
    ASSERT_TRUE(exact.ok()) << exact.message().toStdString();
    EXPECT_EQ(Names(exact->entries()),
              (std::vector<QString>{"[Content_Types].xml", "_rels/.rels", "docProps/app.xml",
                                    "docProps/core.xml", "word/TableRow.xml",
                                    "word/_rels/document.xml.rels", "word/document.xml",
                                    "word/settings.xml", "word/styles.xml"}));
    const auto anyCase = LoadTemplatePackage(QStringLiteral("cALCdATA"));
    ASSERT_TRUE(anyCase.ok());
    EXPECT_EQ(anyCase->entries(), exact->entries());

    EXPECT_EQ(ErrorReason(LoadTemplatePackage(QStringLiteral("CalcDat"))),
              QStringLiteral("程序中没有文档模板“CalcDat”"));
}

TEST(TemplatePackage, EditsPartsAndKeepsTheOrder) {
    OfficePackage package({{"z.xml", "<z/>"}, {"[Content_Types].xml", "<t/>"}, {"a.xml", "\xff"}});
    EXPECT_EQ(Names(package.entries()),
              (std::vector<QString>{"[Content_Types].xml", "a.xml", "z.xml"}));
    ASSERT_TRUE(package.editPart("z.xml", {{"<z/>", "<时间/>"}}, WordPlaceholderMatching).ok());
    EXPECT_EQ(package.entries()[2].bytes, QByteArray("<时间/>"));
    EXPECT_EQ(ErrorReason(package.editPart("b.xml", {}, WordPlaceholderMatching)),
              QStringLiteral("文档模板中缺少“b.xml”"));
    EXPECT_EQ(ErrorReason(package.partText("a.xml")),
              QStringLiteral("文档模板中的“a.xml”不是UTF-8文本"));
}
