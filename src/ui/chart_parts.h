#pragma once

#include <qcustomplot.h>

#include <QVector>

namespace velmora {

// The bottom axis of the chart: the time text of every labelStep-th point, so
// that labels never overlap.
class TimeAxisTicker final : public QCPAxisTicker {
public:
    void setTimes(QVector<double> times, int timeFormatIdx);
    void setLabelStep(int step) { labelStep_ = step > 0 ? step : 1; }
    int labelStep() const { return labelStep_; }
    int timeFormat() const { return timeFormatIdx_; }
    const QVector<double>& times() const { return times_; }
    // The widest label, for working out the step.
    QString widestLabel() const;

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale& locale,
                                       QChar formatChar, int precision) override;

private:
    QVector<double> times_;
    int timeFormatIdx_ = 1;
    int labelStep_ = 1;
};

// The times of the axis slots: `times` (the rows of the storm shown, one slot
// each), continued at their step (one minute for fewer than two) until a slot
// reaches `lastMinute`, so that a longer storm compared with it fits.
QVector<double> SlotTimesCovering(QVector<double> times, double lastMinute);

// Where `minute` lies on the slots of `slotTimes` (increasing): slot i at
// their time i, between two slots in proportion, past the last at the last.
double SlotCoordinate(const QVector<double>& slotTimes, double minute);

// Bars that take their colours in turn from a palette, one of them drawn
// highlighted.
class PaletteBars final : public QCPBars {
public:
    PaletteBars(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPBars(keyAxis, valueAxis) {}

    void setHighlighted(int index) { highlighted_ = index; }
    int highlighted() const { return highlighted_; }
    // The bar under a pixel position, or -1.
    int barAt(const QPointF& position) const;

protected:
    void draw(QCPPainter* painter) override;

private:
    int highlighted_ = -1;
};

} // namespace velmora
