#pragma once

#include "display_text.h"
#include "options.h"
#include "result.h"
#include "storm.h"

#include <QByteArray>
#include <QChar>
#include <QSize>
#include <QStringList>

#include <vector>

namespace velmora {

// The size at which the chart is laid out for the report: 146.4 mm wide at
// the screen's density (553 pixels at 96 dots per inch, 691 at 120) and 400
// pixels high. The report shows it in a fixed frame of 553 × 400 pixels at 96
// dots per inch.
QSize ReportChartPictureSize(double dotsPerInch);
// It is drawn with twice those pixels, so that it stays sharp in print.
inline constexpr qreal ReportChartPixelRatio = 2;

// The calculation report (.docx) of `storm`, built in memory from the
// "CalcBook" template: the method, the formula with its q-i relation after
// the options' factor, the storm's parameters, the chart picture (PNG bytes,
// put in place of the template's sample), the result rows as the grid shows
// them (with a sentence saying so when they are interval means) and the two
// totals rounded to the options' decimals. Numbers are
// written in the general number form with `decimalSeparator`. When the chart
// shows compared storms, `comparedStorms` holds their legends and a sentence
// under the chart names them, kept on the chart's page. No rows, or bytes
// that are not a PNG picture, give a failure.
Result<QByteArray> CalculationReport(const TExpressionObject& storm, const TOptions& options,
                                     const std::vector<TResultRowTexts>& rows,
                                     const QByteArray& chartPng, QChar decimalSeparator,
                                     const QStringList& comparedStorms = {});

} // namespace velmora
