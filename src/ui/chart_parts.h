#pragma once

#include "time_axis_ticks.h"

#include <qcustomplot.h>

#include <QVector>

namespace velmora {

// The bottom axis of the chart: one slot per row, labelled at the times
// ChooseTimeAxisTicks picks for the chart's width.
class TimeAxisTicker final : public QCPAxisTicker {
public:
    void setTimes(QVector<double> times, TimeFormat timeFormat);
    int timeFormat() const { return timeFormat_; }
    const QVector<double>& times() const { return times_; }
    // The widest label, for working out the labels' spacing.
    QString widestLabel() const;
    void setTicks(TimeAxisTicks ticks) { ticks_ = std::move(ticks); }
    const TimeAxisTicks& ticks() const { return ticks_; }

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;
    QVector<QString> createLabelVector(const QVector<double>& ticks, const QLocale& locale,
                                       QChar formatChar, int precision) override;

private:
    QVector<double> times_;
    TimeFormat timeFormat_ = MinutesFormat;
    TimeAxisTicks ticks_;
};

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
