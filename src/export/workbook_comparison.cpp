#include "workbook_comparison.h"

#include "row_snippet.h"

namespace velmora {

namespace {

// The columns of "雨型数据2": A the time, B… the compared storms, one empty,
// then the storm shown.
QString ColumnName(qsizetype index) {
    return QString(QChar(char16_t(u'A' + index)));
}
qsizetype ShownIntensityColumn(const TComparisonTable& table) {
    return table.legends.size() + 2;
}

void AppendTextCell(QString& xml, const QString& cell, const QString& text) {
    xml += QStringLiteral("<c r=\"") + cell + QStringLiteral("\" t=\"inlineStr\"><is><t>");
    AppendEscaped(xml, text);
    xml += QStringLiteral("</t></is></c>");
}

void AppendNumberCell(QString& xml, const QString& cell, const QString& number) {
    if (number.isEmpty())
        return; // that storm has no row at this time
    xml += QStringLiteral("<c r=\"") + cell + QStringLiteral("\"><v>");
    AppendEscaped(xml, number);
    xml += QStringLiteral("</v></c>");
}

QString SheetRow(qsizetype row, const QStringList& texts, qsizetype firstNumberColumn) {
    const QString number = QString::number(row);
    QString xml = QStringLiteral("<row r=\"") + number + QStringLiteral("\">");
    for (qsizetype column = 0; column < texts.size(); ++column) {
        const QString cell = ColumnName(column) + number;
        if (column < firstNumberColumn)
            AppendTextCell(xml, cell, texts[column]);
        else
            AppendNumberCell(xml, cell, texts[column]);
    }
    return xml + QStringLiteral("</row>");
}

// The width of a column that shows `heading` whole in the sheet's 宋体 11,
// in widths of a digit: two for a Chinese character, one for any other and
// two for the margins.
int ColumnWidth(const QString& heading) {
    int width = 2;
    for (const QChar c : heading)
        width += c.unicode() >= 0x2E80 ? 2 : 1;
    return width;
}

// The columns that have a heading, each as wide as it.
QString Columns(const QStringList& headings) {
    QString xml = QStringLiteral("<cols>");
    for (qsizetype column = 0; column < headings.size(); ++column)
        if (!headings[column].isEmpty())
            xml += QStringLiteral("<col min=\"%1\" max=\"%1\" width=\"%2\" customWidth=\"1\"/>")
                       .arg(column + 1)
                       .arg(ColumnWidth(headings[column]));
    return xml + QStringLiteral("</cols>");
}

const QString ComparisonSheet = QStringLiteral("雨型数据2");
const QString TemplateSheet = QStringLiteral("雨型数据1");

// Column `column`'s rows 2…lastRow and its heading on 雨型数据2.
QString Range(qsizetype column, qsizetype lastRow) {
    return SheetRange(ComparisonSheet, ColumnName(column), 2, lastRow);
}
QString Heading(qsizetype column) {
    return SheetCell(ComparisonSheet, ColumnName(column), 1);
}

// The texts of the comparison's column `column` (0 the time, 1… the storms)
// below its heading.
QStringList ColumnTexts(const TComparisonTable& table, qsizetype column) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(table.lines.size()));
    for (const TComparisonTable::Line& line : table.lines)
        texts.append(column == 0 ? line.time : line.intensities[column - 1]);
    return texts;
}

QString StringCache(const QString& points) {
    return QStringLiteral("<c:strCache>") + points + QStringLiteral("</c:strCache>");
}

// A compared storm's line: no markers, its own colour, dashed for the second
// four; its name, times and intensities cached as the sheet holds them.
QString ComparedSeries(const TComparisonTable& table, std::size_t storm, qsizetype lastRow,
                       const QString& timePoints) {
    const auto column = static_cast<qsizetype>(storm) + 1;
    const QString colour =
        QStringLiteral("%1")
            .arg(ComparedStormColours[storm % MaxComparedStorms], 6, 16, QLatin1Char('0'))
            .toUpper();
    const QString dash =
        ComparedStormDashed(storm) ? QStringLiteral("<a:prstDash val=\"dash\"/>") : QString();
    const QString index =
        QString::number(storm + 2); // after the line and the bars of the storm shown
    return QStringLiteral("<c:ser><c:idx val=\"") + index + QStringLiteral("\"/><c:order val=\"") +
           index + QStringLiteral("\"/>") + QStringLiteral("<c:tx><c:strRef><c:f>") +
           Heading(column) + QStringLiteral("</c:f>") +
           StringCache(ChartCachePoints({table.intensityHeading(column - 1)}, {})) +
           QStringLiteral("</c:strRef></c:tx>") +
           QStringLiteral("<c:spPr><a:ln w=\"19050\"><a:solidFill><a:srgbClr val=\"") + colour +
           QStringLiteral("\"/></a:solidFill>") + dash +
           QStringLiteral("</a:ln></c:spPr><c:marker><c:symbol val=\"none\"/></c:marker>") +
           QStringLiteral("<c:cat><c:strRef><c:f>") + Range(0, lastRow) + QStringLiteral("</c:f>") +
           StringCache(timePoints) + QStringLiteral("</c:strRef></c:cat>") +
           QStringLiteral("<c:val><c:numRef><c:f>") + Range(column, lastRow) +
           QStringLiteral("</c:f><c:numCache><c:formatCode>General</c:formatCode>") +
           ChartCachePoints(ColumnTexts(table, column), {}) +
           QStringLiteral("</c:numCache></c:numRef></c:val>") +
           QStringLiteral("<c:smooth val=\"0\"/></c:ser>");
}

} // namespace

QString SheetCell(const QString& sheet, const QString& column, qsizetype row) {
    return QStringLiteral("%1!$%2$%3").arg(sheet, column).arg(row);
}

QString SheetRange(const QString& sheet, const QString& column, qsizetype firstRow,
                   qsizetype lastRow) {
    return SheetCell(sheet, column, firstRow) + QStringLiteral(":$%1$%2").arg(column).arg(lastRow);
}

QString ChartCachePoints(const QStringList& cells, QStringView lineBreak) {
    QString xml = QStringLiteral("<c:ptCount val=\"%1\"/>").arg(cells.size());
    xml.reserve(cells.size() * (lineBreak.size() + 40));
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (cells[i].isEmpty())
            continue; // a blank cell: the chart leaves a gap or joins across it
        xml += lineBreak;
        xml += u"<c:pt idx=\"";
        xml += QString::number(i);
        xml += u"\"><c:v>";
        AppendEscaped(xml, cells[i]);
        xml += u"</c:v></c:pt>";
    }
    return xml;
}

std::vector<TReplacement> ComparisonSheetReplacements(const TComparisonTable& table,
                                                      const QString& intensityHeading,
                                                      const QString& cumulativeHeading) {
    const qsizetype shown = ShownIntensityColumn(table);
    const auto lastRow = static_cast<qsizetype>(table.lines.size()) + 1;
    QStringList headings = {table.timeHeading};
    for (qsizetype storm = 0; storm < table.legends.size(); ++storm)
        headings << table.intensityHeading(storm);
    headings << QString() << intensityHeading << cumulativeHeading;
    QString rows = Columns(headings) + QStringLiteral("<sheetData><row r=\"1\">");
    for (qsizetype column = 0; column < headings.size(); ++column)
        if (!headings[column].isEmpty())
            AppendTextCell(rows, ColumnName(column) + u'1', headings[column]);
    rows += QStringLiteral("</row>");
    qsizetype row = 1;
    for (const TComparisonTable::Line& line : table.lines) {
        QStringList texts = QStringList{line.time} + line.intensities;
        texts << QString() << line.shown.intensity << line.shown.cumulative;
        rows += SheetRow(++row, texts, 1);
    }
    rows += QStringLiteral("</sheetData>");
    // Printed across: every column on one page wide, as many pages down as the rows take.
    const QString dimension =
        QStringLiteral(
            "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr><dimension ref=\"A1:%1%2\"/>")
            .arg(ColumnName(shown + 1))
            .arg(lastRow);
    return {
        {QStringLiteral("<dimension ref=\"A1\"/>"), dimension},
        {QStringLiteral("<sheetData/>"), rows},
        {QStringLiteral("</worksheet>"),
         QStringLiteral("  <pageSetup paperSize=\"9\" orientation=\"landscape\" fitToWidth=\"1\" "
                        "fitToHeight=\"0\"/>\n</worksheet>")}};
}

std::vector<TReplacement> ComparisonChartReplacements(const TComparisonTable& table,
                                                      qsizetype templateLastRow) {
    const qsizetype shown = ShownIntensityColumn(table);
    const auto lastRow = static_cast<qsizetype>(table.lines.size()) + 1;
    const QString timePoints = ChartCachePoints(ColumnTexts(table, 0), {});
    QString series;
    for (std::size_t storm = 0; storm < static_cast<std::size_t>(table.legends.size()); ++storm)
        series += ComparedSeries(table, storm, lastRow, timePoints);
    return {
        {SheetRange(TemplateSheet, QStringLiteral("A"), 2, templateLastRow), Range(0, lastRow)},
        {SheetRange(TemplateSheet, QStringLiteral("B"), 2, templateLastRow), Range(shown, lastRow)},
        {SheetRange(TemplateSheet, QStringLiteral("C"), 2, templateLastRow),
         Range(shown + 1, lastRow)},
        {SheetCell(TemplateSheet, QStringLiteral("B"), 1), Heading(shown)},
        {SheetCell(TemplateSheet, QStringLiteral("C"), 1), Heading(shown + 1)},
        // The compared lines join the line of the storm shown, over the gaps
        // where a storm has no row at a time another one has.
        {QStringLiteral("<c:marker val=\"1\"/>"), series + QStringLiteral("<c:marker val=\"1\"/>")},
        {QStringLiteral("<c:dispBlanksAs val=\"gap\"/>"),
         QStringLiteral("<c:dispBlanksAs val=\"span\"/>")},
    };
}

} // namespace velmora
