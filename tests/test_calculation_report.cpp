#include "calculation_report.h"
#include "export_names.h"
#include "office_package.h"
#include "picture_encoders.h"
#include "zip_archive.h"
#include "zip_entry_bytes.h"

#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace velmora;

namespace {

using velmora::testing::EntryBytes;

using Row = std::vector<std::string>;

// What a reader sees of a WordprocessingML document: the text of every
// paragraph (equations included) and the cell texts of every table row.
struct DocumentText {
    std::vector<std::string> paragraphs;
    std::vector<bool> keptWithNext; // per paragraph: on the page of the one that follows
    std::vector<Row> table;
};

DocumentText ReadDocument(const QByteArray& documentXml) {
    DocumentText text;
    QString paragraph;
    bool keepNext = false;
    bool inTable = false;
    QXmlStreamReader xml(documentXml);
    while (!xml.atEnd()) {
        xml.readNext();
        const QString name = xml.qualifiedName().toString();
        if (xml.isStartElement()) {
            if (name == u"w:p") {
                paragraph.clear();
                keepNext = false;
            } else if (name == u"w:keepNext") {
                keepNext = true;
            } else if (name == u"w:tbl") {
                inTable = true;
            } else if (name == u"w:tr") {
                text.table.emplace_back();
            } else if (name == u"w:tc") {
                text.table.back().emplace_back();
            } else if (name == u"w:t" || name == u"m:t") {
                const QString run = xml.readElementText();
                paragraph += run;
                if (inTable && name == u"w:t")
                    text.table.back().back() += run.toStdString();
            }
        } else if (xml.isEndElement()) {
            if (name == u"w:p") {
                text.paragraphs.push_back(paragraph.toStdString());
                text.keptWithNext.push_back(keepNext);
            } else if (name == u"w:tbl")
                inTable = false;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return text;
}

QByteArray ChartPng() {
    QImage image(553, 400, QImage::Format_RGB888);
    image.fill(QColor(40, 90, 160));
    return EncodePng(image).value();
}

struct ComputedStorm {
    TExpressionObject storm;
    std::vector<TResultRowTexts> rows;
};

ComputedStorm Compute(TExpressionObject storm, const TOptions& options) {
    const Result<THyetograph> result = CalcHyetograph(storm, options);
    StoreResults(storm, result);
    std::vector<TResultRowTexts> rows;
    for (const THyetographRow& row : result->rows)
        rows.push_back(ResultRowTexts(row, options, QLatin1Char('.')));
    return {storm, rows};
}

Row Texts(const TResultRowTexts& row) {
    return {row.time.toStdString(), row.intensity.toStdString(), row.cumulative.toStdString()};
}

} // namespace

TEST(CalculationReport, ReadsTheStormTheOptionsAndTheRows) {
    struct Case {
        const char* name;
        int formulaForm;
        double ratio;
        int unit;
        int timeFormat;
        int precision;
        std::uint8_t logarithm;
        Row header;
        std::vector<std::string> paragraphs;
    };
    const std::vector<Case> cases = {
        {"default storm and options",
         0,
         167,
         1,
         1,
         4,
         0,
         {"时间(min)", "降雨强度(mm/min)", "降雨总量(mm)"},
         {"q = 167 × i", "参数：A1=9.5981  c=0.846  b=7  n=0.656", "设计重现期：P=2年",
          "降雨历时：t=120min", "峰值比例：r=0.4", "计算步长：s=1min", "累计降雨总量：60.6345mm",
          "平均降雨强度：0.5011mm/min", "i=A11+ClgPt+bn"}},
        {"ratio 166.7, ln",
         0,
         166.7,
         1,
         1,
         4,
         1,
         {"时间(min)", "降雨强度(mm/min)", "降雨总量(mm)"},
         {"q = 166.7 × i", "参数：A1=9.5981  c=0.846  b=7  n=0.656", "i=A11+ClnPt+bn"}},
        {"q form",
         1,
         167,
         1,
         1,
         4,
         0,
         {"时间(min)", "降雨强度(mm/min)", "降雨总量(mm)"},
         {"q = 167 × i", "参数：167A1=1602.8827  c=0.846  b=7  n=0.656",
          "累计降雨总量：60.6345mm"}},
        {"q form, exact conversion",
         1,
         0.006,
         1,
         1,
         4,
         0,
         {"时间(min)", "降雨强度(mm/min)", "降雨总量(mm)"},
         {"i = 0.006 × q", "参数：A1/0.006=1602.8827  c=0.846  b=7  n=0.656"}},
        // Rounded totals lose their trailing zeros: 0.5011 to two places is "0.5".
        {"hours, mm/h, two decimals",
         0,
         167,
         0,
         0,
         2,
         0,
         {"时间(H:M)", "降雨强度(mm/h)", "降雨总量(mm)"},
         {"累计降雨总量：60.63mm", "平均降雨强度：30.07mm/h"}},
        {"unknown formula form",
         2,
         167,
         1,
         1,
         2,
         0,
         {"时间(min)", "降雨强度(mm/min)", "降雨总量(mm)"},
         {"参数：=  c=0.846  b=7  n=0.656", "平均降雨强度：0.5mm/min"}},
    };
    const QByteArray png = ChartPng();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TOptions options;
        options.D_QI_ConversionRatio = c.ratio;
        options.Int_StormUnitidx = static_cast<StormUnit>(c.unit);
        options.Int_TimeForamtidx = static_cast<TimeFormat>(c.timeFormat);
        options.Int_Precision = c.precision;
        TExpressionObject storm = DefaultStorm();
        storm.LG_LN = static_cast<Logarithm>(c.logarithm);
        storm.F_type = static_cast<FormulaForm>(c.formulaForm);
        if (c.formulaForm == 1)
            storm.a1_167 = 1602.8827;
        DeriveDependentCoefficient(storm, c.ratio);
        const ComputedStorm computed = Compute(storm, options);

        const auto docx = CalculationReport(computed.storm, options, computed.rows, png, '.');
        ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
        const auto entries = ReadZipArchive(*docx);
        ASSERT_TRUE(entries.ok()) << entries.message().toStdString();
        const QByteArray document = EntryBytes(*entries, "word/document.xml");
        const DocumentText text = ReadDocument(document); // fails on XML that is not well-formed

        std::vector<Row> table = {c.header};
        for (const TResultRowTexts& row : computed.rows)
            table.push_back(Texts(row));
        EXPECT_EQ(text.table, table);
        for (const std::string& paragraph : c.paragraphs)
            EXPECT_EQ(std::count(text.paragraphs.begin(), text.paragraphs.end(), paragraph), 1)
                << paragraph;
        EXPECT_EQ(document.count("<--!"), 0);
        if (c.formulaForm == 0 || c.formulaForm == 1)
            EXPECT_EQ(document.count("<!--"), 0) << "a placeholder is left";
        else
            EXPECT_EQ(document.count("<!--"), 2); // the coefficient's name and value
    }
}

TEST(CalculationReport, SaysWhenTheRowsAreIntervalMeans) {
    const std::string sentence =
        "雨量计算数据按时段平均强度列出：每行的降雨强度为自该行时间起一个计算步长内的"
        "平均降雨强度（超出降雨历时的部分按无雨计），降雨总量为该时段末的累计降雨量。";
    std::vector<std::size_t> paragraphCounts;
    for (const bool averaged : {false, true}) {
        SCOPED_TRACE(averaged);
        TOptions options;
        options.Bool_IntervalAverage = averaged;
        TExpressionObject storm = DefaultStorm();
        storm.Storm_Step = 5;
        const ComputedStorm computed = Compute(storm, options);
        const auto docx =
            CalculationReport(computed.storm, options, computed.rows, ChartPng(), '.');
        ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
        const QByteArray document = EntryBytes(ReadZipArchive(*docx).value(), "word/document.xml");
        const DocumentText text = ReadDocument(document);
        paragraphCounts.push_back(text.paragraphs.size());
        const auto step =
            std::find(text.paragraphs.begin(), text.paragraphs.end(), "计算步长：s=5min");
        ASSERT_NE(step, text.paragraphs.end());
        EXPECT_EQ(*(step + 1) == sentence, averaged);
        EXPECT_EQ(document.count("<!--"), 0);
    }
    EXPECT_EQ(paragraphCounts[1], paragraphCounts[0] + 1);
}

TEST(CalculationReport, SectionOneFollowsTheRowsAndTheLogarithmOfTheStorm) {
    const std::string tail =
        "降雨强度以mm/h表示时，各分钟的强度为以mm/min计的强度乘以60，累计降雨量仍以mm计；"
        "按显示精度计算时，累加的是按显示的小数位数取舍后的降雨强度。";
    const std::string perMinute =
        "计算数据表格按计算步长s列出第0、s、2s、…分钟和最后一分钟的瞬时降雨强度与累计降雨量。"
        "累计降雨总量为最后一分钟的累计降雨量HN；平均降雨强度为参与累加的各分钟瞬时降雨强度的平均值"
        "，"
        "即累计降雨总量除以参与累加的分钟数（通常为N + 1）。" +
        tail;
    const std::string intervalMeans =
        "计算数据表格按计算步长s列出自第0、s、2s、…分钟起每一时段的平均降雨强度（时段超出降雨历时的"
        "部分按无雨计）"
        "与时段末的累计降雨量，各行降雨强度乘以s之和等于累计降雨总量。累计降雨总量为最后一分钟的累"
        "计降雨量HN；"
        "平均降雨强度为各行降雨强度的平均值，即累计降雨总量除以行数与计算步长s之积。" +
        tail;
    const struct {
        bool averaged;
        std::uint8_t logarithm;
        const std::string& table;
        const char* formula1;
        const char* constant;
    } cases[] = {
        {false, 0, perMinute, "i=A11+ClgPt+bn=At+bn（公式1）", "式中A = A1(1 + C lg P)，"},
        {true, 0, intervalMeans, "i=A11+ClgPt+bn=At+bn（公式1）", "式中A = A1(1 + C lg P)，"},
        {false, 1, perMinute, "i=A11+ClnPt+bn=At+bn（公式1）", "式中A = A1(1 + C ln P)，"},
        {true, 1, intervalMeans, "i=A11+ClnPt+bn=At+bn（公式1）", "式中A = A1(1 + C ln P)，"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.averaged) + " " + std::to_string(c.logarithm));
        TOptions options;
        options.Bool_IntervalAverage = c.averaged;
        TExpressionObject storm = DefaultStorm();
        storm.Storm_Step = 5;
        storm.LG_LN = static_cast<Logarithm>(c.logarithm);
        const ComputedStorm computed = Compute(storm, options);
        const auto docx =
            CalculationReport(computed.storm, options, computed.rows, ChartPng(), '.');
        ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
        const DocumentText text =
            ReadDocument(EntryBytes(ReadZipArchive(*docx).value(), "word/document.xml"));
        const auto& paragraphs = text.paragraphs;
        EXPECT_EQ(std::count(paragraphs.begin(), paragraphs.end(), c.table), 1);
        EXPECT_EQ(std::count(paragraphs.begin(), paragraphs.end(), c.formula1), 1);
        EXPECT_EQ(std::count_if(paragraphs.begin(), paragraphs.end(),
                                [&](const std::string& p) { return p.starts_with(c.constant); }),
                  1);
    }
}

TEST(CalculationReport, EndsWithTheCheckAgainstTheFormulaWhenAsked) {
    const std::string average = "平均降雨强度：0.5011mm/min";
    for (const bool checked : {false, true}) {
        SCOPED_TRACE(checked);
        TOptions options;
        options.Bool_ReportIdfCheck = checked;
        const ComputedStorm computed = Compute(DefaultStorm(), options);
        const auto docx =
            CalculationReport(computed.storm, options, computed.rows, ChartPng(), '.');
        ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
        const QByteArray document = EntryBytes(ReadZipArchive(*docx).value(), "word/document.xml");
        EXPECT_EQ(document.count("<!--"), 0);
        const DocumentText text = ReadDocument(document);
        const auto& paragraphs = text.paragraphs;
        const auto heading = std::find(paragraphs.begin(), paragraphs.end(), "三、雨型校核");
        if (!checked) {
            EXPECT_EQ(heading, paragraphs.end());
            EXPECT_EQ(paragraphs.back(), average);
            continue;
        }
        ASSERT_NE(heading, paragraphs.end());
        EXPECT_EQ(*(heading - 1), average);
        EXPECT_TRUE((heading + 1)->starts_with("芝加哥雨型由暴雨强度公式推求")) << *(heading + 1);
        // The heading and the sentence start the page where the table starts.
        const auto at = static_cast<std::size_t>(heading - paragraphs.begin());
        EXPECT_FALSE(text.keptWithNext[at - 1]);
        EXPECT_TRUE(text.keptWithNext[at]);
        EXPECT_TRUE(text.keptWithNext[at + 1]);
        // The header and the durations 5 … 90 below T = 120, then 120.
        ASSERT_GE(text.table.size(), 10u);
        const std::vector<Row> check(text.table.end() - 10, text.table.end());
        EXPECT_EQ(check[0], (Row{"历时(min)", "雨型最大雨量(mm)", "公式雨量(mm)", "相差(%)"}));
        EXPECT_EQ(check[1], (Row{"5", "11.9535", "11.7962", "1.33"}));
        EXPECT_EQ(check[9], (Row{"120", "60.4437", "60.2284", "0.36"}));
    }
}

TEST(CalculationReport, NamesTheComparedStormsUnderTheChart) {
    const struct {
        QStringList compared;
        const char* sentence; // empty: none
    } cases[] = {
        {{}, ""},
        {{"P=5年 T=120分 r=0.4"}, "图中另有对比雨型：P=5年 T=120分 r=0.4。"},
        {{"P=5年 T=120分 r=0.4", "P=0,5年 T=60分 r=0,35"},
         "图中另有对比雨型：P=5年 T=120分 r=0.4、P=0,5年 T=60分 r=0,35。"},
    };
    const ComputedStorm computed = Compute(DefaultStorm(), TOptions{});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        const auto docx = CalculationReport(computed.storm, TOptions{}, computed.rows, ChartPng(),
                                            '.', c.compared);
        ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
        const QByteArray document = EntryBytes(ReadZipArchive(*docx).value(), "word/document.xml");
        EXPECT_EQ(document.count("<!--"), 0);
        const DocumentText text = ReadDocument(document);
        const auto title =
            std::find(text.paragraphs.begin(), text.paragraphs.end(), "芝加哥雨型雨量过程曲线图：");
        ASSERT_LT(title + 3, text.paragraphs.end());
        const auto picture = static_cast<std::size_t>(title + 1 - text.paragraphs.begin());
        EXPECT_EQ(text.paragraphs[picture], "");
        const bool comparing = !c.compared.isEmpty();
        // The chart stays on the page of the sentence that explains it.
        EXPECT_EQ(text.keptWithNext[picture], comparing);
        EXPECT_EQ(text.paragraphs[picture + 1], comparing ? c.sentence : "雨量计算数据表格：");
    }
}

TEST(CalculationReport, PackageIsTheTemplateWithTheDocumentAndThePictureReplaced) {
    const ComputedStorm computed = Compute(DefaultStorm(), TOptions{});
    const QByteArray png = ChartPng();
    const auto docx = CalculationReport(computed.storm, TOptions{}, computed.rows, png, '.');
    ASSERT_TRUE(docx.ok()) << docx.message().toStdString();
    const auto written = ReadZipArchive(*docx);
    ASSERT_TRUE(written.ok()) << written.message().toStdString();
    const auto templ = LoadTemplatePackage(QStringLiteral("CalcBook"));
    ASSERT_TRUE(templ.ok()) << templ.message().toStdString();

    const std::vector<ZipEntry>& original = templ->entries();
    ASSERT_EQ(written->size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        const QString& name = original[i].name;
        EXPECT_EQ(written->at(i).name, name);
        if (name == u"word/media/image9.png") {
            EXPECT_EQ(written->at(i).bytes, png);
        } else if (name != u"word/document.xml") {
            EXPECT_EQ(written->at(i).bytes, original[i].bytes) << name.toStdString();
        }
    }
}

TEST(CalculationReport, RefusesNoRowsAndAPictureThatIsNotPng) {
    const ComputedStorm computed = Compute(DefaultStorm(), TOptions{});
    const auto noRows = CalculationReport(computed.storm, TOptions{}, {}, ChartPng(), '.');
    EXPECT_EQ(noRows.message(), QStringLiteral("没有数据可以保存~\r\n点击“添加”按钮，添加新曲线"));
    for (const QByteArray& picture : {QByteArray(), QByteArray("BM not a png")}) {
        const auto refused =
            CalculationReport(computed.storm, TOptions{}, computed.rows, picture, '.');
        EXPECT_FALSE(refused.ok());
        EXPECT_FALSE(refused.message().isEmpty());
    }
}

TEST(CalculationReport, ProposedNameAndPictureSize) {
    TExpressionObject storm = DefaultStorm();
    EXPECT_EQ(ProposedCalculationReportFileName(storm, '.'),
              QStringLiteral("雨型计算书 P=2年 T=120分 R=0.4.docx"));
    storm.Storm_RepeatYear = 0.5;
    EXPECT_EQ(ProposedCalculationReportFileName(storm, ','),
              QStringLiteral("雨型计算书 P=0,5年 T=120分 R=0,4.docx"));

    for (const auto& [dpi, width] : {std::pair{96.0, 553}, {120.0, 691}, {144.0, 829}})
        EXPECT_EQ(ReportChartPictureSize(dpi), QSize(width, 400)) << dpi;
}
