#include "compared_storms.h"
#include "excel_workbook.h"
#include "export_names.h"
#include "office_package.h"
#include "qstring_printer.h"
#include "storm_comparison.h"
#include "storm_rows.h"
#include "zip_archive.h"
#include "zip_entry_bytes.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>

using namespace velmora;

namespace {

using velmora::testing::EntryBytes;

using velmora::testing::DefaultStormRows;
using velmora::testing::DisplayOptions;

void ExpectWellFormed(const QXmlStreamReader& xml) {
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line "
                                 << xml.lineNumber();
}

struct Cell {
    QString type; // "s" for a shared string, empty for a number
    QString value;
    bool operator==(const Cell&) const = default;
    friend void PrintTo(const Cell& cell, std::ostream* out) {
        *out << cell.type.toStdString() << ":" << cell.value.toStdString();
    }
};

struct Sheet {
    QString dimension;
    std::map<QString, Cell> cells;
};

Sheet SheetOf(const QByteArray& sheetXml) {
    Sheet sheet;
    QXmlStreamReader xml(sheetXml);
    QString ref;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"dimension") {
            sheet.dimension = xml.attributes().value("ref").toString();
        } else if (xml.name() == u"c") {
            ref = xml.attributes().value("r").toString();
            sheet.cells[ref].type = xml.attributes().value("t").toString();
        } else if (xml.name() == u"v" || xml.name() == u"t") { // a number, or an inline string
            sheet.cells[ref].value = xml.readElementText();
        }
    }
    ExpectWellFormed(xml);
    return sheet;
}

struct SharedStrings {
    QString count;
    QString uniqueCount;
    std::vector<QString> items;
};

SharedStrings SharedStringsOf(const QByteArray& stringsXml) {
    SharedStrings strings;
    QXmlStreamReader xml(stringsXml);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"sst") {
            strings.count = xml.attributes().value("count").toString();
            strings.uniqueCount = xml.attributes().value("uniqueCount").toString();
        } else if (xml.name() == u"si") {
            strings.items.emplace_back();
        } else if (xml.name() == u"t") {
            strings.items.back() += xml.readElementText();
        }
    }
    ExpectWellFormed(xml);
    return strings;
}

struct Chart {
    std::vector<QString> ranges;      // every c:f in order
    std::vector<QString> axisTitles;  // bottom, left, right
    std::vector<QString> seriesNames; // cached: bars, line
};

Chart ChartOf(const QByteArray& chartXml) {
    Chart chart;
    QXmlStreamReader xml(chartXml);
    bool inTitle = false;
    bool inSeriesName = false;
    while (!xml.atEnd()) {
        xml.readNext();
        const QStringView name = xml.qualifiedName();
        if (xml.isEndElement()) {
            if (name == u"c:title")
                inTitle = false;
            else if (name == u"c:tx")
                inSeriesName = false;
            continue;
        }
        if (!xml.isStartElement())
            continue;
        if (name == u"c:f") {
            chart.ranges.push_back(xml.readElementText());
        } else if (name == u"c:title") {
            inTitle = true;
            chart.axisTitles.emplace_back();
        } else if (name == u"a:t" && inTitle) {
            chart.axisTitles.back() += xml.readElementText();
        } else if (name == u"c:tx" && !inTitle) {
            inSeriesName = true;
            chart.seriesNames.emplace_back();
        } else if (name == u"c:v" && inSeriesName) {
            chart.seriesNames.back() += xml.readElementText();
        }
    }
    ExpectWellFormed(xml);
    return chart;
}

// A reference of the chart (a series' name, categories or values) and what it
// caches of the cells it names: one text per point, empty where there is no point.
struct ChartReference {
    QString formula;
    std::vector<QString> cached;
    bool hasCache = false;
};

std::vector<ChartReference> ReferencesOf(const QByteArray& chartXml) {
    std::vector<ChartReference> references;
    QXmlStreamReader xml(chartXml);
    qsizetype point = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.qualifiedName();
        if (name == u"c:strRef" || name == u"c:numRef") {
            references.emplace_back();
        } else if (name == u"c:f") {
            references.back().formula = xml.readElementText();
        } else if (name == u"c:ptCount") {
            references.back().hasCache = true;
            references.back().cached.resize(xml.attributes().value("val").toULong());
        } else if (name == u"c:pt") {
            point = xml.attributes().value("idx").toLongLong();
        } else if (name == u"c:v") {
            references.back().cached.at(static_cast<std::size_t>(point)) = xml.readElementText();
        }
    }
    ExpectWellFormed(xml);
    return references;
}

// Every cell's text by sheet name and cell, shared strings looked up.
using WorkbookCells = std::map<QString, std::map<QString, QString>>;

WorkbookCells CellsOf(const std::vector<ZipEntry>& entries) {
    const SharedStrings strings = SharedStringsOf(EntryBytes(entries, "xl/sharedStrings.xml"));
    WorkbookCells cells;
    const std::pair<QString, QString> sheets[] = {{"曲线图", "xl/worksheets/sheet1.xml"},
                                                  {"雨型数据1", "xl/worksheets/sheet2.xml"},
                                                  {"雨型数据2", "xl/worksheets/sheet3.xml"}};
    for (const auto& [name, part] : sheets)
        for (const auto& [ref, cell] : SheetOf(EntryBytes(entries, part)).cells)
            cells[name][ref] =
                cell.type == "s" ? strings.items.at(cell.value.toULong()) : cell.value;
    return cells;
}

// The texts of the cells a formula names ("雨型数据1!$B$2:$B$122", "雨型数据2!$C$1"),
// empty for an empty cell.
std::vector<QString> CellsNamed(const WorkbookCells& cells, const QString& formula) {
    static const QRegularExpression reference(
        QStringLiteral(R"(^(.+)!\$([A-Z])\$(\d+)(?::\$\2\$(\d+))?$)"));
    const QRegularExpressionMatch match = reference.match(formula);
    EXPECT_TRUE(match.hasMatch()) << formula.toStdString();
    const int first = match.captured(3).toInt();
    const int last = match.captured(4).isEmpty() ? first : match.captured(4).toInt();
    std::vector<QString> texts;
    const auto sheet = cells.find(match.captured(1));
    for (int row = first; row <= last; ++row) {
        const QString ref = match.captured(2) + QString::number(row);
        const bool found = sheet != cells.end() && sheet->second.count(ref) > 0;
        texts.push_back(found ? sheet->second.at(ref) : QString());
    }
    return texts;
}

const std::vector<QString> InstructionTexts = {
    "如何添加多个曲线",
    "2、在折线图上点击右键，左键选“选择数据”",
    "3、左键点击“降雨总量(mm)”,左键点击上方删除",
    "1、在雨型数据2中黏贴雨型数据，位置格式参照雨型数据1",
    "4、左键点击“添加”",
    "5、在弹出的对话框中填写“系列名称”，点击“系列值”右侧的按钮选择雨型数据2中的数据",
};

} // namespace

TEST(ExcelChartWorkbook, DataSheetStringsAndChartFollowTheRowsAndOptions) {
    struct Case {
        int step;
        TOptions options;
        std::size_t rowCount;
        QString time; // in the heading and the bottom axis title
        QString unit; // in the heading, the left axis title and the line's name
    };
    const std::vector<Case> cases = {
        {1, DisplayOptions(1, 1, 4), 121, "min", "mm/min"},
        {5, DisplayOptions(0, 0, 2), 25, "H:M", "mm/h"},
        // "(mm/min)" holds "min" but not "(min)": each title follows its own option.
        {1, DisplayOptions(0, 1, 3), 121, "H:M", "mm/min"},
        {5, DisplayOptions(1, 0, 4), 25, "min", "mm/h"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time.toStdString() + " " + c.unit.toStdString() + " " +
                     std::to_string(c.rowCount));
        const std::vector<TResultRowTexts> rows = DefaultStormRows(120, c.step, c.options);
        ASSERT_EQ(rows.size(), c.rowCount);
        const auto xlsx = ExcelChartWorkbook(rows, c.options);
        ASSERT_TRUE(xlsx.ok()) << xlsx.message().toStdString();
        const auto entries = ReadZipArchive(*xlsx);
        ASSERT_TRUE(entries.ok()) << entries.message().toStdString();
        const QString last = QString::number(rows.size() + 1);

        const Sheet sheet = SheetOf(EntryBytes(*entries, "xl/worksheets/sheet2.xml"));
        EXPECT_EQ(sheet.dimension, "A1:C" + last);
        std::map<QString, Cell> cells = {
            {"A1", {"s", "0"}}, {"B1", {"s", "1"}}, {"C1", {"s", "2"}}};
        for (std::size_t k = 1; k <= rows.size(); ++k) {
            const QString r = QString::number(k + 1);
            cells["A" + r] = {"s", QString::number(k + 8)};
            cells["B" + r] = {"", rows[k - 1].intensity};
            cells["C" + r] = {"", rows[k - 1].cumulative};
        }
        EXPECT_EQ(sheet.cells, cells);

        const SharedStrings strings = SharedStringsOf(EntryBytes(*entries, "xl/sharedStrings.xml"));
        // The six instructions on the chart sheet, the three headings and the times.
        EXPECT_EQ(strings.count, QString::number(9 + rows.size()));
        EXPECT_EQ(strings.uniqueCount, QString::number(9 + rows.size()));
        std::vector<QString> items = {"时间(" + c.time + ")", "降雨强度(" + c.unit + ")",
                                      "降雨总量(mm)"};
        items.insert(items.end(), InstructionTexts.begin(), InstructionTexts.end());
        for (const TResultRowTexts& row : rows)
            items.push_back(row.time);
        EXPECT_EQ(strings.items, items);

        const Chart chart = ChartOf(EntryBytes(*entries, "xl/charts/chart1.xml"));
        const std::vector<QString> ranges = {"雨型数据1!$C$1", "雨型数据1!$C$2:$C$" + last,
                                             "雨型数据1!$B$1", "雨型数据1!$A$2:$A$" + last,
                                             "雨型数据1!$B$2:$B$" + last};
        EXPECT_EQ(chart.ranges, ranges);
        const std::vector<QString> titles = {"降雨历时(" + c.time + ")", "降雨强度(" + c.unit + ")",
                                             "降雨总量(mm)"};
        EXPECT_EQ(chart.axisTitles, titles);
        const std::vector<QString> names = {"降雨总量(mm)", "降雨强度(" + c.unit + ")"};
        EXPECT_EQ(chart.seriesNames, names);
    }
}

TEST(ExcelChartWorkbook, PackageIsWellFormedWithOnlyTheThreePartsChanged) {
    const TOptions options = DisplayOptions(0, 1, 4);
    std::vector<TResultRowTexts> rows = DefaultStormRows(120, 1, options);
    rows.push_back({"a<b&", "1.5", "2"}); // a time text stays text, not markup
    const auto xlsx = ExcelChartWorkbook(rows, options);
    ASSERT_TRUE(xlsx.ok()) << xlsx.message().toStdString();
    const auto written = ReadZipArchive(*xlsx);
    ASSERT_TRUE(written.ok()) << written.message().toStdString();
    EXPECT_EQ(SharedStringsOf(EntryBytes(*written, "xl/sharedStrings.xml")).items.back(), "a<b&");

    const auto templ = LoadTemplatePackage(QStringLiteral("excelpicdata"));
    ASSERT_TRUE(templ.ok()) << templ.message().toStdString();
    const std::vector<ZipEntry>& original = templ->entries();
    ASSERT_EQ(written->size(), original.size());
    ASSERT_EQ(original.size(), 22u);
    const std::vector<QString> edited = {"xl/charts/chart1.xml", "xl/sharedStrings.xml",
                                         "xl/worksheets/sheet2.xml"};
    for (std::size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(written->at(i).name, original[i].name);
        if (original[i].name.endsWith(".xml") || original[i].name.endsWith(".rels")) {
            SCOPED_TRACE(original[i].name.toStdString());
            QXmlStreamReader xml(written->at(i).bytes);
            while (!xml.atEnd())
                xml.readNext();
            ExpectWellFormed(xml);
        }
        if (std::find(edited.begin(), edited.end(), original[i].name) != edited.end())
            EXPECT_NE(written->at(i).bytes, original[i].bytes) << original[i].name.toStdString();
        else
            EXPECT_EQ(written->at(i).bytes, original[i].bytes) << original[i].name.toStdString();
    }
}

TEST(ExcelChartWorkbook, ComparedStormsFillTheSecondSheetAndAddALineEach) {
    // Minutes 0…60 and 0…120 at step 5; the second storm is also the one shown.
    const TOptions options = DisplayOptions(1, 1, 4);
    TExpressionObject shorter = DefaultStorm(), longer = DefaultStorm();
    shorter.Storm_Time = 60;
    longer.Storm_RepeatYear = 5;
    shorter.Storm_Step = longer.Storm_Step = 5;
    const std::vector<TComparedStorm> storms = {velmora::testing::CompareStorm(shorter, options),
                                                velmora::testing::CompareStorm(longer, options)};
    const TComparisonTable table =
        ComparisonTable(storms, options, QLatin1Char('.'), &storms[1].rows);
    std::vector<TResultRowTexts> rows;
    for (const THyetographRow& row : storms[1].rows)
        rows.push_back(ResultRowTexts(row, options, QLatin1Char('.')));
    const auto xlsx = ExcelChartWorkbook(rows, options, &table);
    ASSERT_TRUE(xlsx.ok()) << xlsx.message().toStdString();
    const auto written = ReadZipArchive(*xlsx);
    ASSERT_TRUE(written.ok());

    // A the time, B and C the compared storms, D empty, E and F the storm shown.
    const Sheet sheet = SheetOf(EntryBytes(*written, "xl/worksheets/sheet3.xml"));
    EXPECT_EQ(sheet.dimension, "A1:F26");
    const struct {
        const char* cell;
        Cell expected;
    } cells[] = {
        {"A1", {"inlineStr", "时间(min)"}},
        {"B1", {"inlineStr", "P=2年 T=60分 r=0.4 (mm/min)"}},
        {"C1", {"inlineStr", "P=5年 T=120分 r=0.4 (mm/min)"}},
        {"E1", {"inlineStr", "降雨强度(mm/min)"}},
        {"F1", {"inlineStr", "降雨总量(mm)"}},
        {"A14", {"inlineStr", "60"}},
        {"B14", {"", ResultRowTexts(storms[0].rows[12], options, QLatin1Char('.')).intensity}}};
    for (const auto& c : cells)
        EXPECT_EQ(sheet.cells.at(c.cell), c.expected) << c.cell;
    EXPECT_EQ(sheet.cells.count("B15"), 0u); // the shorter storm has no minute 65
    // Each column with a heading is as wide as it: two for a Chinese character.
    const QByteArray sheetXml = EntryBytes(*written, "xl/worksheets/sheet3.xml");
    const qsizetype cols = sheetXml.indexOf("<cols>");
    EXPECT_EQ(sheetXml.mid(cols, sheetXml.indexOf("</cols>") + 7 - cols),
              "<cols><col min=\"1\" max=\"1\" width=\"11\" customWidth=\"1\"/>"
              "<col min=\"2\" max=\"2\" width=\"29\" customWidth=\"1\"/>"
              "<col min=\"3\" max=\"3\" width=\"30\" customWidth=\"1\"/>"
              "<col min=\"5\" max=\"5\" width=\"18\" customWidth=\"1\"/>"
              "<col min=\"6\" max=\"6\" width=\"14\" customWidth=\"1\"/></cols>");
    for (int row = 2; row <= 26; ++row) {
        const QString n = QString::number(row);
        EXPECT_EQ(sheet.cells.at("E" + n).value, sheet.cells.at("C" + n).value) << row;
        EXPECT_EQ(sheet.cells.at("F" + n).value, rows[static_cast<std::size_t>(row - 2)].cumulative)
            << row;
    }

    const QByteArray chartXml = EntryBytes(*written, "xl/charts/chart1.xml");
    const QByteArray lines = chartXml.mid(chartXml.indexOf("<c:lineChart>"));
    EXPECT_EQ(lines.left(lines.indexOf("</c:lineChart>")).count("<c:ser>"), 3);
    const std::vector<QString> expected = {
        "雨型数据2!$F$1", "雨型数据2!$F$2:$F$26",                         // the bars
        "雨型数据2!$E$1", "雨型数据2!$A$2:$A$26", "雨型数据2!$E$2:$E$26", // the line shown
        "雨型数据2!$B$1", "雨型数据2!$A$2:$A$26", "雨型数据2!$B$2:$B$26", // the compared ones
        "雨型数据2!$C$1", "雨型数据2!$A$2:$A$26", "雨型数据2!$C$2:$C$26"};
    EXPECT_EQ(ChartOf(chartXml).ranges, expected);
}

TEST(ExcelChartWorkbook, TheChartCachesTheCellsItReads) {
    struct Case {
        const char* name;
        double minutes;
        int step;
        TOptions options;
        std::vector<TExpressionObject> compared;
        // Five of the storm shown (the bars' name and values, the line's name,
        // times and values), three of each compared storm.
        std::size_t references;
    };
    TExpressionObject hour = DefaultStorm(), twoHours = DefaultStorm();
    hour.Storm_Time = 60;
    hour.Storm_Step = 5;
    twoHours.Storm_RepeatYear = 10;
    twoHours.Storm_Step = 10;
    const std::vector<Case> cases = {
        {"the default storm", 120, 1, DisplayOptions(1, 1, 4), {}, 5},
        {"a day in hours and minutes", 1440, 1, DisplayOptions(0, 0, 2), {}, 5},
        // Every 3 minutes for 90 beside every 5 for 60 and every 10 for 120:
        // every column but the time has empty cells.
        {"two compared storms", 90, 3, DisplayOptions(1, 1, 3), {hour, twoHours}, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<TResultRowTexts> rows = DefaultStormRows(c.minutes, c.step, c.options);
        std::vector<TComparedStorm> storms;
        for (const TExpressionObject& storm : c.compared)
            storms.push_back(velmora::testing::CompareStorm(storm, c.options));
        TExpressionObject shown = DefaultStorm();
        shown.Storm_Time = c.minutes;
        shown.Storm_Step = c.step;
        const THyetographTable shownRows = CalcHyetograph(shown, c.options)->rows;
        const TComparisonTable table = ComparisonTable(storms, c.options, '.', &shownRows);
        const auto xlsx = ExcelChartWorkbook(rows, c.options, storms.empty() ? nullptr : &table);
        ASSERT_TRUE(xlsx.ok()) << xlsx.message().toStdString();
        const auto entries = ReadZipArchive(*xlsx);
        ASSERT_TRUE(entries.ok()) << entries.message().toStdString();

        const WorkbookCells cells = CellsOf(*entries);
        const std::vector<ChartReference> references =
            ReferencesOf(EntryBytes(*entries, "xl/charts/chart1.xml"));
        ASSERT_EQ(references.size(), c.references);
        for (const ChartReference& reference : references) {
            SCOPED_TRACE(reference.formula.toStdString());
            EXPECT_TRUE(reference.hasCache);
            const std::vector<QString> named = CellsNamed(cells, reference.formula);
            EXPECT_GT(std::count_if(named.begin(), named.end(),
                                    [](const QString& text) { return !text.isEmpty(); }),
                      0);
            EXPECT_EQ(reference.cached, named);
        }
    }
}

TEST(ExcelChartWorkbook, EmptyTableIsRefused) {
    const auto xlsx = ExcelChartWorkbook({}, TOptions{});
    ASSERT_FALSE(xlsx.ok());
    EXPECT_EQ(xlsx.message(), QStringLiteral("没有数据可以保存~\r\n点击“添加”按钮，添加新曲线"));
}

TEST(ExcelChartWorkbook, ProposedName) {
    struct Case {
        double years;
        double percent;
        QChar separator;
        const char* expected;
    };
    for (const Case& c : {Case{2, 0.4, '.', "Excel图表 P=2年 T=120分 R=0.4.xlsx"},
                          Case{0.5, 0.35, ',', "Excel图表 P=0,5年 T=120分 R=0,35.xlsx"}}) {
        TExpressionObject storm = DefaultStorm();
        storm.Storm_RepeatYear = c.years;
        storm.Storm_Percent = c.percent;
        EXPECT_EQ(ProposedExcelWorkbookFileName(storm, c.separator), QString::fromUtf8(c.expected));
    }
}
