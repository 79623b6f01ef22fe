#include "hyetograph_chart.h"

#include "chart_parts.h"
#include "storm_comparison.h"
#include "time_axis_ticks.h"

#include <QPainter>

#include <cmath>

namespace velmora {

namespace {

const QColor GridColor(255, 128, 128);
const QColor AxisLineColor(192, 192, 192);
const QColor FrameColor(128, 128, 128);
const QColor LineColor = QColor::fromRgb(ShownStormColour);
constexpr double BarWidth = 0.3;        // of the slot of one point
constexpr int RightAxisRoom = 10;       // pixels beyond the right axis maximum
constexpr double PointPickDistance = 5; // pixels

void StyleValueAxis(QCPAxis* axis, const QString& title) {
    axis->setLabel(title);
    axis->setNumberFormat(QStringLiteral("f"));
    axis->setNumberPrecision(3);
    axis->setBasePen(QPen(AxisLineColor));
    axis->setRange(0, HyetographChart::StartMaximum);
    axis->setSubTicks(false);
}

} // namespace

HyetographChart::HyetographChart(QWidget* parent) : QCustomPlot(parent) {
    // QCustomPlot queues a replot of the empty plot as it is made, which
    // would draw the chart a second time after the drawing its first showing
    // makes. Nothing else has posted a call to the new chart yet.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    mReplotQueued = false;
    setBackground(Qt::white);
    setInteractions({});
    setMouseTracking(true);
    setAutoAddPlottableToLegend(false); // the legend names the storms, not the series
    setUpAxes();
    setUpSeries();
    connect(this, &QCustomPlot::beforeReplot, this, [this] {
        redrawPending_ = false; // this drawing shows every change made before it
        fitToSize();
    });
}

// Every change draws the chart once, later: several changes in a row draw it
// once, and none at all when it was drawn meanwhile (the refresh draws at
// its end, a picture when it is taken, the first paint when it is shown).
void HyetographChart::redrawLater() {
    if (redrawPending_)
        return;
    redrawPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (redrawPending_)
                replot();
        },
        Qt::QueuedConnection);
}

void HyetographChart::setUpAxes() {
    ticker_ = QSharedPointer<TimeAxisTicker>::create();
    xAxis->setTicker(ticker_);
    xAxis->setLabel(TimeAxisTitle(timeFormat_));
    xAxis->setBasePen(QPen(AxisLineColor));
    xAxis->grid()->setPen(QPen(GridColor, 1, Qt::DotLine));
    xAxis->grid()->setZeroLinePen(Qt::NoPen);
    xAxis->setRange(-0.5, 0.5);

    StyleValueAxis(yAxis, QStringLiteral("降雨强度(mm/min)"));
    yAxis->grid()->setPen(QPen(GridColor, 1, Qt::DotLine));
    yAxis->grid()->setZeroLinePen(Qt::NoPen);

    StyleValueAxis(yAxis2, QStringLiteral("降雨总量(mm)"));
    yAxis2->setVisible(true);
    yAxis2->setRangeReversed(true); // 0 at the top: the bars hang down
    yAxis2->grid()->setVisible(false);

    // The top axis only closes the grey frame round the plot.
    xAxis2->setVisible(true);
    xAxis2->setTicks(false);
    xAxis2->setTickLabels(false);
    xAxis2->setBasePen(QPen(FrameColor));

    // The legend of the compared storms gets a row of its own below the axis,
    // where it covers neither the curves nor the labels; four storms a line.
    axisRect()->insetLayout()->take(legend);
    legend->setBorderPen(Qt::NoPen);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setIconSize(24, 10);
    legend->setVisible(false);
}

void HyetographChart::placeLegend(bool shown) {
    legend->setVisible(shown);
    const bool placed = plotLayout()->rowCount() > 1;
    if (shown && !placed) {
        plotLayout()->addElement(1, 0, legend);
        plotLayout()->setRowStretchFactor(1, 0.001);
    } else if (!shown && placed) {
        plotLayout()->take(legend);
        plotLayout()->simplify();
    }
}

void HyetographChart::setUpSeries() {
    bars_ = new PaletteBars(xAxis, yAxis2);
    bars_->setName(QStringLiteral("降雨总量"));
    bars_->setWidth(BarWidth);
    bars_->setBrush(QColor(0, 128, 255));
    bars_->setSelectable(QCP::stNone);

    line_ = addGraph(xAxis, yAxis);
    line_->setName(QStringLiteral("降雨强度"));
    line_->setPen(QPen(LineColor, 2));
    line_->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssSquare, LineColor, LineColor, 4));
    line_->setSelectable(QCP::stNone);

    lineHighlightMark_ = addGraph(xAxis, yAxis);
    lineHighlightMark_->setLineStyle(QCPGraph::lsNone);
    lineHighlightMark_->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssSquare, QPen(Qt::black, 1), QBrush(Qt::white), 9));
    lineHighlightMark_->setSelectable(QCP::stNone);

    // The storm shown in the legend of a comparison: a line without points
    // that looks as the intensity line does.
    shownLegendEntry_ = addGraph(xAxis, yAxis);
    shownLegendEntry_->setPen(line_->pen());
    shownLegendEntry_->setScatterStyle(line_->scatterStyle());
    shownLegendEntry_->setSelectable(QCP::stNone);
}

void HyetographChart::fill(const THyetographTable& table, TimeFormat timeFormat) {
    const auto count = static_cast<int>(table.size());
    QVector<QCPGraphData> linePoints(count);
    QVector<QCPBarsData> barPoints(count);
    rowTimes_.resize(count);
    for (int i = 0; i < count; ++i) {
        const THyetographRow& row = table[static_cast<std::size_t>(i)];
        linePoints[i] = QCPGraphData(i, row.intensity);
        barPoints[i] = QCPBarsData(i, row.cumulative);
        rowTimes_[i] = row.time;
    }
    line_->data()->set(linePoints, true);
    bars_->data()->set(barPoints, true);
    timeFormat_ = timeFormat;
    xAxis->setTickLabelRotation(timeFormat == HoursAndMinutesFormat ? 90 : 0);
    xAxis->setLabel(TimeAxisTitle(timeFormat));
    layOutTimeAxis();
    lineHighlight_ = -1;
    lineHighlightMark_->data()->clear();
    bars_->setHighlighted(-1);
    redrawLater();
}

void HyetographChart::clearSeries() {
    line_->data()->clear();
    bars_->data()->clear();
    rowTimes_.clear();
    layOutTimeAxis();
    lineHighlight_ = -1;
    lineHighlightMark_->data()->clear();
    bars_->setHighlighted(-1);
    redrawLater();
}

int HyetographChart::pointCount() const {
    return line_->dataCount();
}

void HyetographChart::setComparedLines(std::vector<ComparedLine> lines,
                                       const QString& shownLegend) {
    if (lines.empty() && compared_.empty())
        return; // nothing compared before or now: the chart stays as it is
    for (QCPGraph* graph : comparedGraphs_)
        removeGraph(graph);
    comparedGraphs_.clear();
    legend->clearItems();
    compared_ = std::move(lines);
    shownLegendEntry_->setName(shownLegend);
    if (!compared_.empty())
        shownLegendEntry_->addToLegend();
    for (std::size_t i = 0; i < compared_.size(); ++i) {
        QCPGraph* graph = addGraph(xAxis, yAxis);
        graph->setName(compared_[i].legend);
        const QColor colour = QColor::fromRgb(ComparedStormColours[i % MaxComparedStorms]);
        graph->setPen(QPen(colour, 2, ComparedStormDashed(i) ? Qt::DashLine : Qt::SolidLine));
        graph->setSelectable(QCP::stNone);
        graph->setVisible(line_->visible());
        graph->addToLegend();
        comparedGraphs_.push_back(graph);
    }
    placeLegend(line_->visible() && !comparedGraphs_.empty());
    layOutTimeAxis();
    redrawLater();
}

QStringList HyetographChart::legendTexts() const {
    QStringList texts;
    for (int i = 0; i < legend->itemCount(); ++i)
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i)))
            texts.append(item->plottable()->name());
    return texts;
}

void HyetographChart::layOutTimeAxis() {
    double lastMinute = 0;
    for (const ComparedLine& compared : compared_)
        if (!compared.minutes.isEmpty())
            lastMinute = std::max(lastMinute, compared.minutes.constLast());
    QVector<double> slotTimes =
        compared_.empty() ? rowTimes_ : SlotTimesCovering(rowTimes_, lastMinute);
    for (std::size_t i = 0; i < compared_.size(); ++i) {
        const ComparedLine& compared = compared_[i];
        QVector<QCPGraphData> points(compared.minutes.size());
        for (qsizetype k = 0; k < points.size(); ++k)
            points[k] = QCPGraphData(SlotCoordinate(slotTimes, compared.minutes[k]),
                                     compared.intensities[k]);
        comparedGraphs_[i]->data()->set(points, true);
    }
    const auto slotCount = static_cast<double>(slotTimes.size());
    ticker_->setTimes(std::move(slotTimes), timeFormat_);
    xAxis->setRange(-0.5, std::max(slotCount, 1.0) - 0.5);
}

void HyetographChart::setSeriesShown(bool bars, bool line) {
    bars_->setVisible(bars);
    line_->setVisible(line);
    lineHighlightMark_->setVisible(line);
    for (QCPGraph* graph : comparedGraphs_)
        graph->setVisible(line); // they are intensities too
    placeLegend(line && !comparedGraphs_.empty());
    redrawLater();
}

void HyetographChart::setLeftMaximum(double maximum) {
    yAxis->setRange(0, maximum);
    redrawLater();
}

void HyetographChart::setRightMaximum(double maximum) {
    rightMaximum_ = maximum;
    redrawLater(); // fitToSize adds the room beyond the maximum
}

void HyetographChart::setIntensityTitle(const QString& title) {
    yAxis->setLabel(title);
    redrawLater();
}

void HyetographChart::setAxisFonts(const ChartAxisFonts& fonts) {
    const auto apply = [](QCPAxis* axis, const ScreenFont& labels, const ScreenFont& title) {
        axis->setTickLabelFont(labels.font);
        axis->setTickLabelColor(labels.color);
        axis->setLabelFont(title.font);
        axis->setLabelColor(title.color);
    };
    apply(yAxis, fonts.leftLabels, fonts.leftTitle);
    apply(yAxis2, fonts.rightLabels, fonts.rightTitle);
    apply(xAxis, fonts.bottomLabels, fonts.bottomTitle);
    legend->setFont(fonts.bottomLabels.font);
    legend->setTextColor(fonts.bottomLabels.color);
    redrawLater();
}

int HyetographChart::highlightedBarPoint() const {
    return bars_->highlighted();
}

void HyetographChart::highlightPoint(int index) {
    bars_->setHighlighted(index);
    setLineHighlight(index);
}

void HyetographChart::setLineHighlight(int index) {
    if (index == lineHighlight_)
        return;
    lineHighlight_ = index;
    lineHighlightMark_->data()->clear();
    if (index >= 0 && index < line_->dataCount()) {
        const auto point = line_->data()->at(index);
        lineHighlightMark_->addData(point->key, point->value);
    }
    redrawLater();
}

int HyetographChart::linePointAt(const QPointF& position) const {
    if (!line_->visible() || line_->dataCount() == 0)
        return -1;
    const auto nearest = std::llround(xAxis->pixelToCoord(position.x()));
    int found = -1;
    double best = PointPickDistance;
    for (long long index = nearest - 1; index <= nearest + 1; ++index) {
        if (index < 0 || index >= line_->dataCount())
            continue;
        const auto point = line_->data()->at(static_cast<int>(index));
        const QPointF pixel(xAxis->coordToPixel(point->key), yAxis->coordToPixel(point->value));
        const double distance = QLineF(pixel, position).length();
        if (distance <= best) {
            best = distance;
            found = static_cast<int>(index);
        }
    }
    return found;
}

int HyetographChart::barAt(const QPointF& position) const {
    return bars_->barAt(position);
}

void HyetographChart::fitToSize() {
    fitLegendToWidth();
    // The axis rectangle still has its size from before a resize: lay the
    // chart out for its present size first.
    updateLayout();
    // Labels at round times, as many as fit without overlapping, and the end.
    const QFontMetrics metrics(xAxis->tickLabelFont());
    const bool hoursAndMinutes = ticker_->timeFormat() == HoursAndMinutesFormat;
    const int footprint =
        hoursAndMinutes // the labels stand upright
            ? metrics.height() + 2
            : metrics.horizontalAdvance(ticker_->widestLabel() + QStringLiteral("  "));
    const int width = axisRect()->width() > 0 ? axisRect()->width() : this->width();
    const auto count = static_cast<double>(ticker_->times().size());
    const bool labelled = !ticker_->ticks().positions.isEmpty();
    ticker_->setTicks(ChooseTimeAxisTicks(ticker_->times(), count > 0 ? width / count : 0,
                                          footprint, hoursAndMinutes));
    // The axis's height counts its labels once there are any.
    if (labelled != !ticker_->ticks().positions.isEmpty())
        updateLayout();

    const int height = axisRect()->height();
    const double upper =
        height > RightAxisRoom ? rightMaximum_ * height / (height - RightAxisRoom) : rightMaximum_;
    yAxis2->setRange(0, upper);
}

// As many storms a line as the widest name lets fit, in columns.
void HyetographChart::fitLegendToWidth() {
    if (!legend->visible() || comparedGraphs_.empty())
        return;
    const QFontMetrics metrics(legend->font());
    int widest = 0;
    for (const QString& text : legendTexts())
        widest = std::max(widest, metrics.horizontalAdvance(text));
    const QMargins margins = legend->margins();
    const int item = widest + legend->iconSize().width() + legend->iconTextPadding() +
                     2 * legend->columnSpacing() + 8; // the item's own margins
    const int room = width() - margins.left() - margins.right();
    const int perLine = std::clamp(room / std::max(item, 1), 1, legend->itemCount());
    if (legend->wrap() != perLine) {
        legend->setWrap(perLine);
        legend->setFillOrder(legend->fillOrder(), true); // the items move to their new places
    }
}

void HyetographChart::mouseMoveEvent(QMouseEvent* event) {
    QCustomPlot::mouseMoveEvent(event);
    setLineHighlight(linePointAt(event->position()));
    emit pointerMoved();
}

void HyetographChart::mouseReleaseEvent(QMouseEvent* event) {
    QCustomPlot::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    int index = linePointAt(event->position());
    if (index < 0)
        index = barAt(event->position());
    if (index >= 0)
        emit pointClicked(index);
}

void HyetographChart::wheelEvent(QWheelEvent* event) {
    event->ignore(); // no zooming or scrolling with the wheel
}

QImage HyetographChart::picture(const QSize& size, qreal pixelRatio) {
    const QSize shown = this->size();
    // The chart takes the picture's size, and loses the marks of the row
    // selected in the grid, only while it is drawn into the picture: no event
    // is handled in between, so the screen never shows it so.
    if (size.isValid())
        resize(size);
    const int selectedBar = bars_->highlighted();
    bars_->setHighlighted(-1);
    const bool markShown = lineHighlightMark_->visible();
    lineHighlightMark_->setVisible(false);
    replot();
    // Grabbing also hands a hidden chart its held-back resize, which places the labels.
    QImage drawn = grab().toImage();
    if (pixelRatio != 1) {
        // The widget paints at the screen's ratio only: the plot is drawn
        // again at the finer one, and the labels over it.
        drawn = toPixmap(0, 0, pixelRatio).toImage();
        drawn.setDevicePixelRatio(pixelRatio);
        QPainter painter(&drawn);
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && !child->isHidden())
                child->render(&painter, child->pos());
    }
    drawn = drawn.convertToFormat(QImage::Format_RGB888);
    bars_->setHighlighted(selectedBar);
    lineHighlightMark_->setVisible(markShown);
    if (size.isValid())
        resize(shown);
    redrawLater(); // drawn again for the screen
    return drawn;
}

} // namespace velmora
