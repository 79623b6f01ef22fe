#pragma once

#include "font_conversion.h"

#include "hyetograph.h"

#include <qcustomplot.h>

#include <QVector>

namespace velmora {

class TimeAxisTicker;
class PaletteBars;

// `Chart1`: the intensity line on the left axis and the cumulative rainfall as
// bars hanging from the top of the inverted right axis, over one axis of time
// labels. Point i of both series is row i of the hyetograph table.
class HyetographChart final : public QCustomPlot {
    Q_OBJECT
public:
    static constexpr double StartMaximum = 9999;

    explicit HyetographChart(QWidget* parent = nullptr);

    // Both series get one point per row; the time labels follow `timeFormatIdx`
    // (vertical in hours and minutes, horizontal in minutes).
    void fill(const THyetographTable& table, int timeFormatIdx);
    void clearSeries();
    int pointCount() const;

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
    // placed on it.
    QImage picture(const QSize& size = QSize());

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

    QCPGraph* line_ = nullptr;
    QCPGraph* lineHighlightMark_ = nullptr;
    PaletteBars* bars_ = nullptr;
    QSharedPointer<TimeAxisTicker> ticker_;
    double rightMaximum_ = StartMaximum;
    int lineHighlight_ = -1;
    QPoint pressPosition_;
};

} // namespace velmora
