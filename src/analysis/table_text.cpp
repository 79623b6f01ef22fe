#include "table_text.h"

#include "code_page_936.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace velmora {

namespace {

QString DecodeWith(QStringDecoder::Encoding encoding, const QByteArray& bytes) {
    QStringDecoder decoder(encoding);
    return decoder.decode(bytes);
}

// Whether `bytes` are UTF-8 throughout; pure ASCII reads the same either way.
bool IsUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder.decode(bytes); // decodes only when converted
    return !decoder.hasError();
}

// The cells of one CSV line. A quote opens a quoted part only at the start of
// a cell, as spreadsheets write them; elsewhere it is an ordinary character.
QStringList CommaSeparatedCells(const QString& line) {
    QStringList cells;
    QString cell;
    bool quoted = false;
    bool atCellStart = true;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                cell += c;
            else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                cell += line[++i];
            else
                quoted = false;
        } else if (c == QLatin1Char(',')) {
            cells << cell;
            cell.clear();
            atCellStart = true;
            continue;
        } else if (c == QLatin1Char('"') && atCellStart && cell.trimmed().isEmpty()) {
            quoted = true;
            cell.clear();
        } else {
            cell += c;
        }
        atCellStart = false;
    }
    cells << cell;
    return cells;
}

} // namespace

QString DecodeTableFile(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return DecodeWith(QStringDecoder::Utf8, bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return DecodeWith(QStringDecoder::Utf16LE, bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return DecodeWith(QStringDecoder::Utf16BE, bytes.mid(2));
    if (IsUtf8(bytes))
        return QString::fromUtf8(bytes);
    return DecodeCodePage936(bytes);
}

std::vector<TTextRow> SplitTableText(const QString& text) {
    static const QRegularExpression lineEnds(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnds);
    std::optional<bool> tabSeparated;
    std::vector<TTextRow> rows;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty())
            continue;
        if (!tabSeparated)
            tabSeparated = line.contains(QLatin1Char('\t'));
        TTextRow row{static_cast<int>(i + 1),
                     *tabSeparated ? line.split(QLatin1Char('\t')) : CommaSeparatedCells(line)};
        for (QString& cell : row.cells)
            cell = cell.trimmed();
        while (!row.cells.isEmpty() && row.cells.back().isEmpty())
            row.cells.removeLast();
        if (!row.cells.isEmpty())
            rows.push_back(std::move(row));
    }
    return rows;
}

QString CellPlace(const TTextRow& row, qsizetype column) {
    return QStringLiteral("第%1行第%2列").arg(row.line).arg(column + 1);
}

} // namespace velmora
