#pragma once

#include "font_conversion.h"

#include "hyetograph.h"

#include <qcustomplot.h>

#include <QVector>

#include <vector>

namespace velmora {

class TimeAxisTicker;
class PaletteBars;

// A storm compared with the one shown: its legend and its intensity line, in
// minutes from its own start and in the unit of the left axis.
struct ComparedLine {
    QString legend;
    QVector<double> minutes;
    QVector<double> intensities;
};

// `Chart1`: the intensity line on the left axis and the cumulative rainfall as
// bars hanging from the top of the inverted right axis, over one axis of time
// labels. Point i of both series is row i of the hyetograph table; compared
// storms are drawn as lines of their own colours over the same time axis,
// named in a legend.
class HyetographChart final : public QCustomPlot {
    Q_OBJECT
public:
    static constexpr double StartMaximum = 9999;

    explicit HyetographChart(QWidget* parent = nullptr);

    // Both series get one point per row; the time labels follow `timeFormat`
    // (vertical in hours and minutes, horizontal in minutes).
    void fill(const THyetographTable& table, TimeFormat timeFormat);
    void clearSeries();
    int pointCount() const;
    // The lines of the compared storms, in the palette's order, and the legend
    // of the storm shown, which comes first in the legend; none hides the legend.
    void setComparedLines(std::vector<ComparedLine> lines, const QString& shownLegend = QString());
    int comparedLineCount() const { return static_cast<int>(comparedGraphs_.size()); }
    // The legend's entries, in order.
    QStringList legendTexts() const;

    void setSeriesShown(bool bars, bool line);

    void setLeftMaximum(double maximum);
    void setRightMaximum(double maximum);

    void setIntensityTitle(const QString& title);
    void setAxisFonts(const ChartAxisFonts& fonts);

    // The highlighted point of each series, -1 for none. The line's follows
    // the pointer; both are set from the grid.
    int highlightedLinePoint() const { return lineHighlight_; }
    int highlightedBarPoint() const;
    void highlightPoint(int index);

    // The line point within a few pixels of `position`, or -1.
    int linePointAt(const QPointF& position) const;
    // The bar under `position`, or -1.
    int barAt(const QPointF& position) const;

    // The chart as shown, or drawn at `size` for a document, with the labels
    // placed on it; `pixelRatio` pixels for each one of the screen's (2 for
    // a picture that stays sharp in print).
    QImage picture(const QSize& size = QSize(), qreal pixelRatio = 1);

signals:
    void pointerMoved();
    void pointClicked(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void setUpAxes();
    void setUpSeries();
    void setLineHighlight(int index);
    void fitToSize();
    void redrawLater();
    // The slots of the time axis cover the storm shown and every compared one.
    void layOutTimeAxis();
    void placeLegend(bool shown);
    void fitLegendToWidth();

    QCPGraph* line_ = nullptr;
    QCPGraph* lineHighlightMark_ = nullptr;
    QCPGraph* shownLegendEntry_ = nullptr;
    PaletteBars* bars_ = nullptr;
    QSharedPointer<TimeAxisTicker> ticker_;
    QVector<double> rowTimes_; // of the storm shown
    TimeFormat timeFormat_ = MinutesFormat;
    std::vector<ComparedLine> compared_;
    std::vector<QCPGraph*> comparedGraphs_;
    double rightMaximum_ = StartMaximum;
    bool redrawPending_ = false;
    int lineHighlight_ = -1;
    QPoint pressPosition_;
};

} // namespace velmora
