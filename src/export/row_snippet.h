#pragma once

#include "display_text.h"
#include "result.h"

#include <QString>
#include <QStringView>

#include <vector>

namespace velmora {

// `text` fit for element content, appended to `out`: "&", "<" and ">"
// written as references.
void AppendEscaped(QString& out, QStringView text);
// The same, as a text of its own.
QString Escaped(QStringView text);

// The XML of the table rows: for every row in order the row snippet with its
// first "%s" replaced by the time, the second by the intensity and the third
// by the cumulative rainfall (each escaped), the rows with nothing between
// them; no rows give the empty text. A snippet with other than three "%s"
// is a damaged template and gives a failure.
Result<QString> BuildRows(const QString& rowSnippet, const std::vector<TResultRowTexts>& rows);

} // namespace velmora
