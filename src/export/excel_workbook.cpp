#include "excel_workbook.h"

#include "office_package.h"
#include "placeholders.h"
#include "row_snippet.h"
#include "workbook_comparison.h"

namespace velmora {

namespace {

const QString DataSheetPart = QStringLiteral("xl/worksheets/sheet2.xml");
const QString SharedStringsPart = QStringLiteral("xl/sharedStrings.xml");
const QString ChartPart = QStringLiteral("xl/charts/chart1.xml");
const QString ComparisonSheetPart = QStringLiteral("xl/worksheets/sheet3.xml");

// The template's shared strings are the three headings and the six texts of
// the instructions, each in one cell; the time texts of the rows follow them.
constexpr qsizetype TemplateStringCount = 9;
constexpr qsizetype TemplateStringCells = 9;
// The last sheet row of the sample storm that the template's chart shows.
constexpr qsizetype TemplateLastRow = 122;

// The sheet rows and the shared strings of the time texts: result row k
// (from 1) is sheet row k + 1, its time shared string k + 8.
struct DataTexts {
    QString sheetRows;
    QString sharedStrings;
};

DataTexts BuildDataTexts(const std::vector<TResultRowTexts>& rows) {
    DataTexts texts;
    texts.sheetRows.reserve(static_cast<qsizetype>(rows.size()) * 160);
    texts.sharedStrings.reserve(static_cast<qsizetype>(rows.size()) * 24);
    qsizetype k = 0;
    for (const TResultRowTexts& row : rows) {
        ++k;
        const QString sheetRow = QString::number(k + 1);
        QString& xml = texts.sheetRows;
        xml += u"<row r=\"";
        xml += sheetRow;
        xml += u"\" spans=\"1:3\" x14ac:dyDescent=\"0.15\"><c r=\"A";
        xml += sheetRow;
        xml += u"\" t=\"s\"><v>";
        xml += QString::number(k + TemplateStringCount - 1);
        xml += u"</v></c><c r=\"B";
        xml += sheetRow;
        xml += u"\"><v>";
        AppendEscaped(xml, row.intensity);
        xml += u"</v></c><c r=\"C";
        xml += sheetRow;
        xml += u"\"><v>";
        AppendEscaped(xml, row.cumulative);
        xml += u"</v></c></row>";

        texts.sharedStrings += u"<si><t>";
        AppendEscaped(texts.sharedStrings, row.time);
        texts.sharedStrings += u"</t></si>";
    }
    return texts;
}

QString RangeEndingAt(QChar column, qsizetype lastRow) {
    return SheetRange(QStringLiteral("雨型数据1"), QString(column), 2, lastRow);
}

// The cells below the headings that the chart's time axis, line and bars
// read, as written.
struct SeriesCells {
    QStringList times;
    QStringList intensities;
    QStringList cumulatives;
};

SeriesCells CellsOf(const std::vector<TResultRowTexts>& rows) {
    SeriesCells cells;
    for (const TResultRowTexts& row : rows) {
        cells.times.append(row.time);
        cells.intensities.append(row.intensity);
        cells.cumulatives.append(row.cumulative);
    }
    return cells;
}

SeriesCells CellsOf(const TComparisonTable& comparison) {
    SeriesCells cells;
    for (const TComparisonTable::Line& line : comparison.lines) {
        cells.times.append(line.time);
        cells.intensities.append(line.shown.intensity);
        cells.cumulatives.append(line.shown.cumulative);
    }
    return cells;
}

// The chart's caches of those cells, one point a line as the template writes them.
void AddCacheReplacements(std::vector<TReplacement>& chart, const SeriesCells& cells) {
    const QString lineBreak = QStringLiteral("\n                ");
    chart.push_back({QStringLiteral("<!--时间缓存-->"), ChartCachePoints(cells.times, lineBreak)});
    chart.push_back(
        {QStringLiteral("<!--强度缓存-->"), ChartCachePoints(cells.intensities, lineBreak)});
    chart.push_back(
        {QStringLiteral("<!--总量缓存-->"), ChartCachePoints(cells.cumulatives, lineBreak)});
}

} // namespace

Result<QByteArray> ExcelChartWorkbook(const std::vector<TResultRowTexts>& rows,
                                      const TOptions& options, const TComparisonTable* comparison) {
    if (rows.empty())
        return Failure{NoDataMessage};
    Result<OfficePackage> package = LoadTemplatePackage(QStringLiteral("ExcelPicData"));
    if (!package)
        return package.failure();

    const qsizetype lastRow = static_cast<qsizetype>(rows.size()) + 1;
    DataTexts data = BuildDataTexts(rows);
    const bool hoursAndMinutes = options.Int_TimeForamtidx == HoursAndMinutesFormat;
    const bool perHour = options.Int_StormUnitidx == MillimetresPerHour;

    const std::vector<TReplacement> sheet = {
        {QStringLiteral("<!--ROWCOUNT-->"), QString::number(lastRow)},
        {QStringLiteral("<!--MYROW-->"), std::move(data.sheetRows)},
    };

    std::vector<TReplacement> strings;
    // The template's headings are the defaults' (minutes, mm/min).
    const auto heading = [](const QString& text) { return QStringLiteral("<t>%1</t>").arg(text); };
    if (perHour)
        strings.push_back({heading(IntensityHeading(MillimetresPerMinute)),
                           heading(IntensityHeading(MillimetresPerHour))});
    if (hoursAndMinutes)
        strings.push_back({heading(TimeColumnHeading(MinutesFormat)),
                           heading(TimeColumnHeading(HoursAndMinutesFormat))});
    // count: the cells that refer to a shared string; uniqueCount: the items.
    const auto rowCount = static_cast<qsizetype>(rows.size());
    strings.push_back({QStringLiteral("count=\"9\" uniqueCount=\"9\""),
                       QStringLiteral("count=\"%1\" uniqueCount=\"%2\"")
                           .arg(TemplateStringCells + rowCount)
                           .arg(TemplateStringCount + rowCount)});
    data.sharedStrings += u"</sst>";
    strings.push_back({QStringLiteral("</sst>"), std::move(data.sharedStrings)});

    // "(mm/min)" does not hold "(min)": the time format changes only the
    // bottom axis title, the unit the left axis title and the line's name.
    // Both go first, so that they change the template's texts only.
    std::vector<TReplacement> chart;
    if (perHour)
        chart.push_back({QStringLiteral("(mm/min)"), QStringLiteral("(mm/h)")});
    if (hoursAndMinutes)
        chart.push_back({QStringLiteral("(min)"), QStringLiteral("(H:M)")});
    const bool comparing = comparison && !comparison->legends.isEmpty();
    if (comparing) {
        for (TReplacement& edit : ComparisonChartReplacements(*comparison, TemplateLastRow))
            chart.push_back(std::move(edit));
        AddCacheReplacements(chart, CellsOf(*comparison));
    } else {
        for (const QChar column : {u'A', u'B', u'C'})
            chart.push_back(
                {RangeEndingAt(column, TemplateLastRow), RangeEndingAt(column, lastRow)});
        AddCacheReplacements(chart, CellsOf(rows));
    }

    Status edited = package->editPart(DataSheetPart, sheet, ExcelPlaceholderMatching);
    if (edited)
        edited = package->editPart(SharedStringsPart, strings, ExcelPlaceholderMatching);
    if (edited)
        edited = package->editPart(ChartPart, chart, ExcelPlaceholderMatching);
    if (edited && comparing) {
        const QString intensityHeading =
            IntensityHeading(perHour ? MillimetresPerHour : MillimetresPerMinute);
        edited = package->editPart(ComparisonSheetPart,
                                   ComparisonSheetReplacements(*comparison, intensityHeading,
                                                               QStringLiteral("降雨总量(mm)")),
                                   ExcelPlaceholderMatching);
    }
    if (!edited)
        return edited.failure();
    return package->zipBytes();
}

} // namespace velmora
