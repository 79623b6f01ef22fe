#pragma once

#include "intensity_formulas.h"
#include "intensity_table.h"

#include <qcustomplot.h>

namespace velmora {

// The chart of the formula fit dialog: for each return period of the table its
// cells as points and the fitted total formula as a curve of the same colour,
// named in the legend ("P=2年"); intensity (mm/min) over duration (min), on
// linear or logarithmic axes.
class FormulaFitChart final : public QCustomPlot {
    Q_OBJECT
public:
    explicit FormulaFitChart(QWidget* parent = nullptr);

    void showFit(const TIntensityTable& table, const TTotalFormula& formula);
    void clear();
    void setLogarithmic(bool logarithmic);

    // The number of return periods drawn.
    int periodCount() const { return graphCount() / 2; }
    // The points of period `i` (the table's cells) and its curve (the formula's).
    QCPGraph* points(int i) const { return graph(2 * i); }
    QCPGraph* curve(int i) const { return graph(2 * i + 1); }

private:
    void fitRanges();

    bool logarithmic_ = false;
};

} // namespace velmora
