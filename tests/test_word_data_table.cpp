#include "export_names.h"
#include "office_package.h"
#include "storm_rows.h"
#include "word_data_table.h"
#include "zip_archive.h"
#include "zip_entry_bytes.h"

#include <QXmlStreamReader>

#include <gtest/gtest.h>
#include <zip.h>

#include <algorithm>

using namespace velmora;

namespace {

using velmora::testing::EntryBytes;

using velmora::testing::DefaultStormRows;
using velmora::testing::DisplayOptions;

using Table = std::vector<std::vector<QString>>;

// The cell texts of every table row of a WordprocessingML document.
Table TableOf(const QByteArray& documentXml) {
    Table table;
    QXmlStreamReader xml(documentXml);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.qualifiedName() == u"w:tr")
            table.emplace_back();
        else if (xml.qualifiedName() == u"w:tc")
            table.back().emplace_back();
        else if (xml.qualifiedName() == u"w:t")
            table.back().back() += xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return table;
}

struct RawEntry {
    QString name;
    zip_uint16_t method;
};

// Every entry of an archive as stored, folders included.
std::vector<RawEntry> RawEntries(const QByteArray& archive) {
    std::vector<RawEntry> entries;
    zip_source_t* source =
        zip_source_buffer_create(archive.constData(), archive.size(), 0, nullptr);
    zip_t* zip = zip_open_from_source(source, ZIP_RDONLY, nullptr);
    if (zip == nullptr) {
        zip_source_free(source);
        ADD_FAILURE() << "not a zip archive";
        return entries;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &stat);
        entries.push_back({QString::fromUtf8(stat.name), stat.comp_method});
    }
    zip_discard(zip);
    return entries;
}

} // namespace

TEST(WordDataTable, TableHoldsTheHeaderAndTheRowTextsExactly) {
    struct Case {
        TOptions options;
        std::vector<QString> header;
    };
    const std::vector<Case> cases = {
        {DisplayOptions(1, 1, 4), {"时间(min)", "降雨强度(mm/min)", "降雨总量(mm)"}},
        {DisplayOptions(0, 0, 2), {"时间(H:M)", "降雨强度(mm/h)", "降雨总量(mm)"}},
        // Values the program does not know leave their placeholders, which show nothing.
        {DisplayOptions(2, -1, 0), {"时间()", "降雨强度()", "降雨总量(mm)"}},
    };
    for (const Case& c : cases) {
        std::vector<TResultRowTexts> rows = DefaultStormRows(120, 1, c.options);
        rows.push_back({"a<b", "&amp;", "%s>"}); // stays text, not markup
        const auto docx = WordDataTable(rows, c.options);
        ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
        const auto entries = ReadZipArchive(*docx);
        ASSERT_TRUE(entries.ok());
        const QByteArray document = EntryBytes(*entries, "word/document.xml");

        Table expected = {c.header};
        for (const TResultRowTexts& row : rows)
            expected.push_back({row.time, row.intensity, row.cumulative});
        EXPECT_EQ(TableOf(document), expected) << c.header[0].toStdString();
        EXPECT_EQ(document.count("<!--Storm_Unit-->"), c.options.Int_StormUnitidx == -1 ? 1 : 0);
        EXPECT_EQ(document.count("<!--时间格式-->"), c.options.Int_TimeForamtidx == 2 ? 1 : 0);
        EXPECT_EQ(document.count("<!--雨量计算数据表格-->"), 0);
    }
}

TEST(WordDataTable, PackageIsTheTemplateWithOnlyTheDocumentChanged) {
    const TOptions options;
    const auto docx = WordDataTable(DefaultStormRows(120, 1, options), options);
    ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
    const auto written = ReadZipArchive(*docx);
    ASSERT_TRUE(written.ok()) << written.message().toStdString();
    const auto templ = LoadTemplatePackage(QStringLiteral("CalcData"));
    ASSERT_TRUE(templ.ok());

    const std::vector<ZipEntry>& original = templ->entries();
    ASSERT_EQ(written->size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(written->at(i).name, original[i].name);
        if (original[i].name == u"word/document.xml")
            EXPECT_NE(written->at(i).bytes, original[i].bytes);
        else
            EXPECT_EQ(written->at(i).bytes, original[i].bytes) << original[i].name.toStdString();
    }
    const auto raw = RawEntries(*docx);
    ASSERT_EQ(raw.size(), original.size()); // no folder entries
    for (const RawEntry& entry : raw)
        EXPECT_EQ(entry.method, ZIP_CM_DEFLATE) << entry.name.toStdString();
    EXPECT_EQ(raw.front().name, "[Content_Types].xml");
}

TEST(WordDataTable, TemplateRowIsOneLineOfThreeSlots) {
    const auto templ = LoadTemplatePackage(QStringLiteral("CalcData"));
    ASSERT_TRUE(templ.ok());
    const QString row = *templ->partText(QStringLiteral("word/TableRow.xml"));
    const QString cell =
        QStringLiteral("<w:tc><w:tcPr><w:tcW w:w=\"%1\" "
                       "w:type=\"dxa\"/></w:tcPr><w:p><w:r><w:t>%s</w:t></w:r></w:p></w:tc>");
    EXPECT_EQ(row, "<w:tr>" + cell.arg(2000) + cell.arg(3000) + cell.arg(3000) + "</w:tr>");
}

TEST(WordDataTable, ProposedName) {
    struct Case {
        double years;
        QChar separator;
        const char* expected;
    };
    for (const Case& c : {Case{2, '.', "芝加哥雨型计算数据 P=2年 T=120分 R=0.4.docx"},
                          Case{0.5, '.', "芝加哥雨型计算数据 P=0.5年 T=120分 R=0.4.docx"},
                          Case{0.5, ',', "芝加哥雨型计算数据 P=0,5年 T=120分 R=0,4.docx"}}) {
        TExpressionObject storm = DefaultStorm();
        storm.Storm_RepeatYear = c.years;
        EXPECT_EQ(ProposedWordDataFileName(storm, c.separator), QString::fromUtf8(c.expected));
    }
}
