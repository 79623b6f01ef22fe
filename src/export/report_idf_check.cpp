#include "report_idf_check.h"

#include "row_snippet.h"

#include <QStringList>

namespace velmora {

namespace {

// Four equal columns across the 8000 twips the report's data table takes.
constexpr int ColumnWidth = 2000;

// A paragraph before the table, kept on the page where the table starts.
QString ParagraphBeforeTable(const QString& style, const QString& text) {
    return QStringLiteral("\n    <w:p>\n      <w:pPr>\n        <w:pStyle w:val=\"%1\"/>\n"
                          "        <w:keepNext/>\n      </w:pPr>\n"
                          "      <w:r>\n        <w:t>%2</w:t>\n      </w:r>\n    </w:p>")
        .arg(style, Escaped(text));
}

// A cell of the table: centred, the heading's bold on grey.
QString Cell(const QString& text, bool heading) {
    const QString shading =
        heading ? QStringLiteral(
                      "\n            <w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"E0E0E0\"/>")
                : QString();
    const QString bold =
        heading ? QStringLiteral(
                      "\n              <w:rPr>\n                <w:b/>\n              </w:rPr>")
                : QString();
    return QStringLiteral("\n        <w:tc>\n          <w:tcPr>\n            <w:tcW w:w=\"%1\" "
                          "w:type=\"dxa\"/>%2\n"
                          "          </w:tcPr>\n          <w:p>\n            <w:pPr>\n             "
                          " <w:jc w:val=\"center\"/>\n"
                          "            </w:pPr>\n            <w:r>%3\n              "
                          "<w:t>%4</w:t>\n            </w:r>\n"
                          "          </w:p>\n        </w:tc>")
        .arg(ColumnWidth)
        .arg(shading, bold, Escaped(text));
}

QString Row(const QStringList& cells, bool heading) {
    QString row = QStringLiteral("\n      <w:tr>");
    if (heading)
        row += QStringLiteral("\n        <w:trPr>\n          <w:tblHeader/>\n        </w:trPr>");
    for (const QString& cell : cells)
        row += Cell(cell, heading);
    return row + QStringLiteral("\n      </w:tr>");
}

QString Table(const QStringList& lines) {
    QString table = QStringLiteral(
        "\n    <w:tbl>\n      <w:tblPr>\n        <w:tblStyle w:val=\"TableGrid\"/>\n"
        "        <w:tblW w:w=\"8000\" w:type=\"dxa\"/>\n        <w:jc w:val=\"center\"/>\n"
        "        <w:tblLayout w:type=\"fixed\"/>\n      </w:tblPr>\n      <w:tblGrid>");
    for (int column = 0; column < 4; ++column)
        table += QStringLiteral("\n        <w:gridCol w:w=\"%1\"/>").arg(ColumnWidth);
    table += QStringLiteral("\n      </w:tblGrid>");
    for (qsizetype line = 0; line < lines.size(); ++line)
        table += Row(lines[line].split(QLatin1Char('\t')), line == 0);
    return table + QStringLiteral("\n    </w:tbl>");
}

} // namespace

QString IdfCheckReportSection(const std::vector<TIdfCheckRow>& rows, bool naturalLogarithm) {
    const QString logarithm = naturalLogarithm ? QStringLiteral("ln") : QStringLiteral("lg");
    const QString explanation =
        QStringLiteral(
            "芝加哥雨型由暴雨强度公式推求，任一历时d内雨型的最大连续雨量应等于公式给出的d分钟雨量"
            "A·d/(d + b)^n，其中A = A1(1 + C %1 P)。下表逐分钟计算雨型中各历时的最大连续雨量，"
            "与公式雨量相比较，相差为两者之差占公式雨量的百分比。")
            .arg(logarithm);
    return ParagraphBeforeTable(QStringLiteral("Heading1"), QStringLiteral("三、雨型校核")) +
           ParagraphBeforeTable(QStringLiteral("BodyText"), explanation) +
           Table(IdfCheckLines(rows, QLatin1Char('\t')));
}

} // namespace velmora
