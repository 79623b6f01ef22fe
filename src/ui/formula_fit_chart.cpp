#include "formula_fit_chart.h"

#include "number_text.h"
#include "storm_comparison.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

constexpr int CurveSamples = 120;
const QColor GridColor(220, 220, 220);

QColor PeriodColour(std::size_t i) {
    return QColor::fromRgb(ComparedStormColours[i % MaxComparedStorms]);
}

} // namespace

FormulaFitChart::FormulaFitChart(QWidget* parent) : QCustomPlot(parent) {
    setObjectName(QStringLiteral("Chart_Fit"));
    setBackground(Qt::white);
    setInteractions({});
    setAutoAddPlottableToLegend(false);
    xAxis->setLabel(QStringLiteral("降雨历时 t (min)"));
    yAxis->setLabel(QStringLiteral("暴雨强度 i (mm/min)"));
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->grid()->setPen(QPen(GridColor, 1, Qt::DotLine));
        axis->setRange(0, 1);
    }
    legend->setVisible(false); // until there are curves to name
    legend->setBrush(QColor(255, 255, 255, 220));
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
}

void FormulaFitChart::clear() {
    clearGraphs();
    legend->clearItems();
    legend->setVisible(false);
    replot(QCustomPlot::rpQueuedReplot);
}

void FormulaFitChart::showFit(const TIntensityTable& table, const TTotalFormula& formula) {
    clearGraphs();
    legend->clearItems();
    if (table.durations.empty())
        return;
    const auto [first, last] = std::minmax_element(table.durations.begin(), table.durations.end());
    for (std::size_t column = 0; column < table.periods.size(); ++column) {
        const double period = table.periods[column];
        const QColor colour = PeriodColour(column);
        const Qt::PenStyle style = ComparedStormDashed(column) ? Qt::DashLine : Qt::SolidLine;

        QCPGraph* points = addGraph();
        points->setLineStyle(QCPGraph::lsNone);
        points->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCircle, colour, colour, 6));
        for (std::size_t row = 0; row < table.durations.size(); ++row)
            points->addData(table.durations[row], table.intensities[row][column]);

        QCPGraph* curve = addGraph();
        curve->setPen(QPen(colour, 1.6, style));
        curve->setName(QStringLiteral("P=%1年").arg(GeneralNumberText(period)));
        // Evenly spaced in log t, so that the short durations' bend is smooth.
        const double from = std::log(*first), to = std::log(*last);
        for (int i = 0; i <= CurveSamples; ++i) {
            const double t = std::exp(from + (to - from) * i / CurveSamples);
            curve->addData(t, FormulaIntensity(formula, t, period));
        }
        curve->addToLegend();
    }
    legend->setVisible(true);
    fitRanges();
    replot(QCustomPlot::rpQueuedReplot);
}

void FormulaFitChart::setLogarithmic(bool logarithmic) {
    logarithmic_ = logarithmic;
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setScaleType(logarithmic ? QCPAxis::stLogarithmic : QCPAxis::stLinear);
        if (logarithmic)
            axis->setTicker(QSharedPointer<QCPAxisTickerLog>::create());
        else
            axis->setTicker(QSharedPointer<QCPAxisTicker>::create());
    }
    fitRanges();
    replot(QCustomPlot::rpQueuedReplot);
}

// Every point and curve inside, with a margin; linear axes start at 0.
void FormulaFitChart::fitRanges() {
    if (graphCount() == 0)
        return;
    bool found = false;
    QCPRange x = graph(0)->getKeyRange(found);
    QCPRange y = graph(0)->getValueRange(found);
    for (int i = 1; i < graphCount(); ++i) {
        x.expand(graph(i)->getKeyRange(found));
        y.expand(graph(i)->getValueRange(found));
    }
    if (logarithmic_) {
        xAxis->setRange(x.lower / 1.2, x.upper * 1.2);
        yAxis->setRange(y.lower / 1.2, y.upper * 1.2);
    } else {
        xAxis->setRange(0, x.upper * 1.05);
        yAxis->setRange(0, y.upper * 1.08);
    }
}

} // namespace velmora
