#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

// The text of a table file: a byte-order mark selects UTF-8 or UTF-16 (a
// spreadsheet's "Unicode text" is UTF-16 with one); bytes that are valid UTF-8
// are read as UTF-8, anything else as code page 936, which Chinese
// spreadsheets write by default.
QString DecodeTableFile(const QByteArray& bytes);

// One line of a table as text: its cells, blanks around each taken off, the
// empty cells at its end left out.
struct TTextRow {
    int line = 0; // counted from 1, as an editor shows it
    QStringList cells;
};

// The rows of a table written as CSV or pasted from a spreadsheet: separated
// by tabs when the first line with text has a tab, otherwise by commas with
// CSV's quoting ("a,b" is one cell, "" inside quotes is one quote). Lines
// without any text are left out.
std::vector<TTextRow> SplitTableText(const QString& text);

// "第3行第2列": where a cell is, for messages. `column` counts from 0.
QString CellPlace(const TTextRow& row, qsizetype column);

} // namespace velmora
