#include "chart_parts.h"

#include "display_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velmora {

void TimeAxisTicker::setTimes(QVector<double> times, TimeFormat timeFormat) {
    times_ = std::move(times);
    timeFormat_ = timeFormat;
}

QString TimeAxisTicker::widestLabel() const {
    // Times only grow, so the last label is the longest.
    return times_.isEmpty() ? QString() : TimeText(times_.constLast(), timeFormat_);
}

double TimeAxisTicker::getTickStep(const QCPRange&) {
    return 1; // the ticks are the chosen ones, whatever the step
}

int TimeAxisTicker::getSubTickCount(double) {
    return 0;
}

QVector<double> TimeAxisTicker::createTickVector(double, const QCPRange& range) {
    QVector<double> ticks;
    for (const double slot : ticks_.positions)
        if (range.contains(slot))
            ticks.append(slot);
    return ticks;
}

QVector<QString> TimeAxisTicker::createLabelVector(const QVector<double>& ticks, const QLocale&,
                                                   QChar, int) {
    QVector<QString> labels;
    labels.reserve(ticks.size());
    for (const double tick : ticks) {
        const auto at = std::lower_bound(ticks_.positions.cbegin(), ticks_.positions.cend(), tick);
        labels.append(at != ticks_.positions.cend() && *at == tick
                          ? TimeText(ticks_.minutes[at - ticks_.positions.cbegin()], timeFormat_)
                          : QString());
    }
    return labels;
}

namespace {

// The bars' colours, taken in turn.
const std::array<QColor, 14> BarPalette = {
    QColor(255, 0, 0),     QColor(0, 128, 0),   QColor(255, 255, 0), QColor(0, 0, 255),
    QColor(128, 128, 128), QColor(255, 0, 255), QColor(0, 128, 128), QColor(0, 0, 128),
    QColor(128, 0, 0),     QColor(0, 255, 0),   QColor(128, 128, 0), QColor(128, 0, 128),
    QColor(192, 192, 192), QColor(0, 255, 255)};

// A darker edge gives the bars their raised look; worked out once, not per bar.
const std::array<QColor, BarPalette.size()> BarEdges = [] {
    std::array<QColor, BarPalette.size()> edges;
    for (std::size_t i = 0; i < edges.size(); ++i)
        edges[i] = BarPalette[i].darker(160);
    return edges;
}();

const QColor HighlightFill(255, 255, 255);
const QColor HighlightEdge(0, 0, 0);

// Below this many pixels a slot, bars are drawn a pixel column at a time.
constexpr double MinimumSlotDrawnBarByBar = 0.125;

} // namespace

int PaletteBars::barAt(const QPointF& position) const {
    if (mDataContainer->isEmpty() || !visible())
        return -1;
    const double key = keyAxis()->pixelToCoord(position.x());
    const auto index = static_cast<long long>(std::llround(key));
    if (index < 0 || index >= mDataContainer->size())
        return -1;
    const auto bar = mDataContainer->constBegin() + index;
    return getBarRect(bar->key, bar->value).contains(position) ? static_cast<int>(index) : -1;
}

void PaletteBars::draw(QCPPainter* painter) {
    if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty())
        return;
    QCPBarsDataContainer::const_iterator visibleBegin, visibleEnd;
    getVisibleDataBounds(visibleBegin, visibleEnd);
    painter->setAntialiasing(false);
    const auto begin = mDataContainer->constBegin();
    const auto drawBar = [&](int index, const QRectF& rect) {
        if (index == highlighted_) {
            painter->setPen(QPen(HighlightEdge, 1));
            painter->setBrush(HighlightFill);
        } else {
            const auto colour = static_cast<std::size_t>(index) % BarPalette.size();
            painter->setPen(QPen(BarEdges[colour], 1));
            painter->setBrush(BarPalette[colour]);
        }
        painter->drawRect(rect);
    };
    const double slot = std::abs(mKeyAxis->coordToPixel(1) - mKeyAxis->coordToPixel(0));
    if (slot >= MinimumSlotDrawnBarByBar) {
        for (auto it = visibleBegin; it != visibleEnd; ++it)
            drawBar(static_cast<int>(it - begin), getBarRect(it->key, it->value));
        return;
    }
    // Many bars to a pixel column: each would paint over the ones before it
    // in that column. Only one bar a column is drawn, as tall as the tallest
    // there and in the colour of the last; the highlighted one comes on top.
    QRectF column;
    int columnIndex = -1; // the last bar of the column, -1 for none yet
    long long columnPixel = 0;
    for (auto it = visibleBegin; it != visibleEnd; ++it) {
        const auto index = static_cast<int>(it - begin);
        if (index == highlighted_)
            continue;
        const QRectF rect = getBarRect(it->key, it->value);
        const auto pixel = static_cast<long long>(std::floor(rect.center().x()));
        if (columnIndex >= 0 && pixel == columnPixel) {
            column = column.united(rect);
        } else {
            if (columnIndex >= 0)
                drawBar(columnIndex, column);
            column = rect;
            columnPixel = pixel;
        }
        columnIndex = index;
    }
    if (columnIndex >= 0)
        drawBar(columnIndex, column);
    if (highlighted_ >= 0 && highlighted_ < mDataContainer->size()) {
        const auto bar = begin + highlighted_;
        drawBar(highlighted_, getBarRect(bar->key, bar->value));
    }
}

} // namespace velmora
