#include "row_snippet.h"

#include <QStringList>

namespace velmora {

namespace {

bool NeedsEscaping(QStringView text) {
    for (const QChar c : text) {
        if (c == u'&' || c == u'<' || c == u'>')
            return true;
    }
    return false;
}

} // namespace

void AppendEscaped(QString& out, QStringView text) {
    if (!NeedsEscaping(text)) { // the cell texts are numbers and times
        out += text;
        return;
    }
    for (const QChar c : text) {
        if (c == u'&')
            out += u"&amp;";
        else if (c == u'<')
            out += u"&lt;";
        else if (c == u'>')
            out += u"&gt;";
        else
            out += c;
    }
}

QString Escaped(QStringView text) {
    QString out;
    AppendEscaped(out, text);
    return out;
}

Result<QString> BuildRows(const QString& rowSnippet, const std::vector<TResultRowTexts>& rows) {
    const QStringList pieces = rowSnippet.split(QStringLiteral("%s"));
    if (pieces.size() != 4)
        return Failure::Error(QStringLiteral("模板中的表格行应有三个单元格，模板已损坏"));

    QString xml;
    xml.reserve(static_cast<qsizetype>(rows.size()) * (rowSnippet.size() + 32));
    for (const TResultRowTexts& row : rows) {
        xml += pieces[0];
        AppendEscaped(xml, row.time);
        xml += pieces[1];
        AppendEscaped(xml, row.intensity);
        xml += pieces[2];
        AppendEscaped(xml, row.cumulative);
        xml += pieces[3];
    }
    return xml;
}

} // namespace velmora
