#include "calculation_report.h"

#include "number_text.h"
#include "office_package.h"
#include "placeholders.h"
#include "report_idf_check.h"
#include "rounding.h"
#include "row_snippet.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace velmora {

namespace {

const QString DocumentPart = QStringLiteral("word/document.xml");
const QString SnippetPart = QStringLiteral("word/subrow.xml");
const QString ChartPicturePart = QStringLiteral("word/media/image9.png");

// The paragraph after the step that says the table holds interval means; a
// table of per-minute intensities gets nothing there.
const QString IntervalAverageParagraph = QStringLiteral(
    "\n    <w:p>\n      <w:pPr>\n        <w:pStyle w:val=\"BodyText\"/>\n      </w:pPr>\n      "
    "<w:r>\n"
    "        "
    "<w:t>雨量计算数据按时段平均强度列出：每行的降雨强度为自该行时间起一个计算步长内的平均降雨强度"
    "（超出降雨历时的部分按无雨计），降雨总量为该时段末的累计降雨量。</w:t>\n      </w:r>\n    "
    "</w:p>");

// The sentence under the chart that names the compared storms it shows
// beside the storm of the report; the chart's paragraph keeps to it.
const QString ComparedStormsSentence = QStringLiteral("图中另有对比雨型：%1。");
const QString ComparedStormsSeparator = QStringLiteral("、");
const QString KeepWithNext = QStringLiteral("\n        <w:keepNext/>");

QString ComparedStormsParagraph(const QStringList& legends) {
    QString names;
    for (const QString& legend : legends) {
        if (!names.isEmpty())
            names += ComparedStormsSeparator;
        AppendEscaped(names, legend);
    }
    return QStringLiteral("\n    <w:p>\n      <w:pPr>\n        <w:pStyle w:val=\"BodyText\"/>\n"
                          "      </w:pPr>\n      <w:r>\n        <w:t>") +
           ComparedStormsSentence.arg(names) + QStringLiteral("</w:t>\n      </w:r>\n    </w:p>");
}

// Section one says what the table lists and how the average follows from the
// total: per-minute intensities and H/(N + 1), or the mean of each step and
// H/(rows × step). Each pair of texts stands around the subscript of H_N.
struct TableDescription {
    QString rows;
    QString average;
};

const TableDescription PerMinuteDescription = {
    QStringLiteral(
        "计算数据表格按计算步长s列出第0、s、2s、…分钟和最后一分钟的瞬时降雨强度与累计降雨量。"),
    QStringLiteral(
        "平均降雨强度为参与累加的各分钟瞬时降雨强度的平均值，即累计降雨总量除以参与累加的分钟数"
        "（通常为N + 1）。")};

const TableDescription IntervalMeanDescription = {
    QStringLiteral("计算数据表格按计算步长s列出自第0、s、2s、…分钟起每一时段的平均降雨强度（时段超"
                   "出降雨历时的部分"
                   "按无雨计）与时段末的累计降雨量，各行降雨强度乘以s之和等于累计降雨总量。"),
    QStringLiteral("平均降雨强度为各行降雨强度的平均值，即累计降雨总量除以行数与计算步长s之积。")};

// The chart's width in inches: 146.4 mm.
constexpr double ChartWidthInches = 5.7637795275590555;
constexpr int ChartHeightPixels = 400;

// The snippet file's lines: the relation for a factor, the relation for the
// exact conversion and the table row.
struct ReportSnippets {
    QString ratioRelation;
    QString exactRelation;
    QString tableRow;
};

Result<ReportSnippets> SplitSnippets(const QString& text) {
    // Not shared between calls: reports of a batch are built on several threads at once.
    const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = text.split(lineBreak);
    if (lines.size() < 3)
        return Failure::Error(QStringLiteral("模板中的“%1”应有三行，模板已损坏").arg(SnippetPart));
    return ReportSnippets{lines[0], lines[1], lines[2]};
}

bool IsPng(const QByteArray& bytes) {
    return bytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1a\n"));
}

} // namespace

QSize ReportChartPictureSize(double dotsPerInch) {
    return {static_cast<int>(std::trunc(dotsPerInch * ChartWidthInches)), ChartHeightPixels};
}

Result<QByteArray> CalculationReport(const TExpressionObject& storm, const TOptions& options,
                                     const std::vector<TResultRowTexts>& rows,
                                     const QByteArray& chartPng, QChar decimalSeparator,
                                     const QStringList& comparedStorms) {
    if (rows.empty())
        return Failure{NoDataMessage};
    if (!IsPng(chartPng))
        return Failure::Error(QStringLiteral("没有得到PNG格式的曲线图片"));

    Result<OfficePackage> package = LoadTemplatePackage(QStringLiteral("CalcBook"));
    if (!package)
        return package.failure();
    const Result<QString> snippetText = package->partText(SnippetPart);
    if (!snippetText)
        return snippetText.failure();
    const Result<ReportSnippets> snippets = SplitSnippets(*snippetText);
    if (!snippets)
        return snippets.failure();
    Result<QString> rowsXml = BuildRows(snippets->tableRow, rows);
    if (!rowsXml)
        return rowsXml.failure();

    const auto number = [decimalSeparator](double x) {
        return GeneralNumberText(x, decimalSeparator);
    };
    const double ratio = options.D_QI_ConversionRatio;
    const bool exact = IsExactQIConversion(ratio);
    QString relation = exact ? snippets->exactRelation : snippets->ratioRelation;
    if (!exact)
        relation.replace(QStringLiteral("%s"), number(ratio));

    std::vector<TReplacement> replacements;
    if (storm.F_type == IntensityForm) {
        replacements.push_back({QStringLiteral("<!--A1NAME-->"), QStringLiteral("A1")});
        replacements.push_back({QStringLiteral("<!--A1-->"), number(storm.a1)});
    } else if (storm.F_type == FlowForm) {
        replacements.push_back(
            {QStringLiteral("<!--A1NAME-->"),
             exact ? QStringLiteral("A1/0.006") : number(ratio) + QStringLiteral("A1")});
        replacements.push_back({QStringLiteral("<!--A1-->"), number(storm.a1_167)});
    }
    replacements.push_back({QStringLiteral("<!--c-->"), number(storm.c)});
    replacements.push_back({QStringLiteral("<!--b-->"), number(storm.b)});
    replacements.push_back({QStringLiteral("<!--n-->"), number(storm.n)});
    replacements.push_back({QStringLiteral("<!--设计重现期-->"), number(storm.Storm_RepeatYear)});
    replacements.push_back({QStringLiteral("<!--降雨历时-->"), number(storm.Storm_Time)});
    replacements.push_back({QStringLiteral("<!--峰值比例-->"), number(storm.Storm_Percent)});
    replacements.push_back({QStringLiteral("<!--计算步长-->"), QString::number(storm.Storm_Step)});
    replacements.push_back({QStringLiteral("<!--时段平均-->"),
                            options.Bool_IntervalAverage ? IntervalAverageParagraph : QString()});
    const TableDescription& table =
        options.Bool_IntervalAverage ? IntervalMeanDescription : PerMinuteDescription;
    const bool comparing = !comparedStorms.isEmpty();
    replacements.push_back(
        {QStringLiteral("<!--曲线图随后-->"), comparing ? KeepWithNext : QString()});
    replacements.push_back({QStringLiteral("<!--对比雨型-->"),
                            comparing ? ComparedStormsParagraph(comparedStorms) : QString()});
    replacements.push_back({QStringLiteral("<!--表格内容-->"), table.rows});
    replacements.push_back({QStringLiteral("<!--平均强度-->"), table.average});
    AddTableHeadingReplacements(replacements, options);
    // Not a comment: the template's document is well-formed only once this is replaced.
    replacements.push_back({QStringLiteral("<--!QI换算关系-->"), relation});
    replacements.push_back({QStringLiteral("<!--雨量计算数据表格-->"), std::move(rowsXml).value()});
    const int decimals = EffectivePrecision(options);
    replacements.push_back({QStringLiteral("<!--累计降雨总量-->"),
                            number(RoundToPrecision(decimals, storm.Strom_Overall_Rainfall))});
    replacements.push_back(
        {QStringLiteral("<!--平均降雨强度-->"),
         number(RoundToPrecision(decimals, storm.Strom_Average_Rainfall_Intensity))});
    // Both statements of the formula (the method's and the storm's) name the
    // storm's logarithm; a choice other than lg and ln (whose factor the
    // computation takes as 0) leaves it blank.
    if (storm.LG_LN == CommonLogarithm || storm.LG_LN == NaturalLogarithm)
        replacements.push_back({QStringLiteral("<!--对数-->"), storm.LG_LN == CommonLogarithm
                                                                   ? QStringLiteral("lg")
                                                                   : QStringLiteral("ln")});

    // The check comes last, after the totals; without it the document is as before.
    QString idfCheck;
    if (options.Bool_ReportIdfCheck) {
        const Result<std::vector<TIdfCheckRow>> checked = IdfCheckTable(storm);
        if (!checked)
            return checked.failure();
        idfCheck = IdfCheckReportSection(*checked, storm.LG_LN == NaturalLogarithm);
    }
    replacements.push_back({QStringLiteral("<!--雨型校核-->"), idfCheck});

    const Status edited = package->editPart(DocumentPart, replacements, WordPlaceholderMatching);
    if (!edited)
        return edited.failure();
    const Status pictured = package->setPartBytes(ChartPicturePart, chartPng);
    if (!pictured)
        return pictured.failure();
    return package->zipBytes();
}

} // namespace velmora
