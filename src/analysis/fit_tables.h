#pragma once

// What a fit of rain data gives, as texts: the formula as the storm file's
// key=value lines, and the result tables that velmora-cli prints as CSV and
// the window's dialog shows and copies for a spreadsheet. Numbers are
// written with "." whatever the user's number format.

#include "intensity_formulas.h"
#include "rain_data_fit.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

// One result table: its title, its heading and its rows of cells.
struct TTextTable {
    QString title;
    QStringList heading;
    std::vector<QStringList> rows;
};

// "a1=…", "c=…", "b=…", "n=…" and "LG_LN=0" or "=1": the keys and the
// 15-digit numbers of the storm file.
QStringList FormulaKeyLines(const TTotalFormula& formula);

// A fitted coefficient as the tables and the dialog show it: 6 significant digits.
QString CoefficientText(double x);

// "i = 10.5(1+0.85lgP)/(t+12)^0.72", with the coefficients' 6 digits.
QString FormulaText(const TTotalFormula& formula);

// The formula as FormulaText shows it: each coefficient to 6 significant digits.
TTotalFormula ShownFormula(TTotalFormula formula);

// The marks of a deviation against its limit.
inline const QString WithinLimitMark = QStringLiteral("合格");
inline const QString BeyondLimitMark = QStringLiteral("不合格");

// The tables of `fit`: the total formula's accuracy per period and over
// 2 ≤ P ≤ 20 with the marks, the formula of each period with its accuracy,
// the largest deviations; from annual maxima also the three distributions'
// formulas (the proposed and the chosen one said) and each distribution's
// mean, Cv, Cs and depths per return period for every duration.
std::vector<TTextTable> RainDataFitTables(const TRainDataFit& fit);

// The heading and the rows, each a line of cells joined by `separator`; with
// "," a cell holding a comma or a quote is quoted as CSV does, with a tab
// the tabs and line ends inside a cell become blanks.
QStringList TextTableLines(const TTextTable& table, QChar separator);

} // namespace velmora
