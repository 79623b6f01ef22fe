#include "result_grid.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

namespace velmora {

namespace {
constexpr int RowHeight = 22;
constexpr int FilledWidths[3] = {40, 98, 78};
constexpr int EmptyWidth = 52;
constexpr int TextMargin = 12; // the cell's padding and grid line on both sides
constexpr int MinimumVisibleRows = 3;
} // namespace

void ResultGridModel::showTable(const THyetographTable& table, const TOptions& options,
                                QChar decimalSeparator) {
    beginResetModel();
    table_ = &table;
    options_ = options;
    separator_ = decimalSeparator;
    filled_ = true;
    headers_[0] = TimeColumnHeader;
    // For a unit other than 0 and 1 the intensity header keeps its text.
    if (const auto header = IntensityColumnHeader(options.Int_StormUnitidx))
        headers_[1] = *header;
    headers_[2] = CumulativeColumnHeader;
    endResetModel();
}

void ResultGridModel::clear() {
    beginResetModel();
    table_ = nullptr;
    endResetModel();
}

TResultRowTexts ResultGridModel::rowTexts(int row) const {
    return ResultRowTexts((*table_)[static_cast<std::size_t>(row)], options_, separator_);
}

QString ResultGridModel::tabSeparatedText() const {
    QString text = headers_[0] + QLatin1Char('\t') + headers_[1] + QLatin1Char('\t') + headers_[2] +
                   QLatin1Char('\n');
    for (int row = 0; row < dataRowCount(); ++row) {
        const TResultRowTexts texts = rowTexts(row);
        text += texts.time + QLatin1Char('\t') + texts.intensity + QLatin1Char('\t') +
                texts.cumulative + QLatin1Char('\n');
    }
    return text;
}

int ResultGridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    // Before the first fill the grid shows one empty row under its header.
    return filled_ ? dataRowCount() : 1;
}

int ResultGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant ResultGridModel::data(const QModelIndex& index, int role) const {
    if (role == Qt::BackgroundRole && index.column() == 0)
        return QPalette().brush(QPalette::Button); // the time column looks like a header
    if (role != Qt::DisplayRole || !table_ || index.row() >= dataRowCount())
        return {};
    const TResultRowTexts texts = rowTexts(index.row());
    switch (index.column()) {
    case 0:
        return texts.time;
    case 1:
        return texts.intensity;
    default:
        return texts.cumulative;
    }
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section > 2)
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers_[section];
}

ResultGrid::ResultGrid(QWidget* parent) : QTableView(parent) {
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    // Uniform fixed rows keep the grid smooth with 100,000 rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    horizontalHeader()->setFixedHeight(RowHeight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false); // the header row selects nothing
    horizontalHeader()->setStretchLastSection(false);
    for (int column = 0; column < 3; ++column)
        setColumnWidth(column, EmptyWidth);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int) {
        if (!settingWidths_ && column >= 0 && column < 3)
            userWidths_[static_cast<std::size_t>(column)] = true;
    });

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                framedRow_ = -1;
                emit gridRowActivated(current.isValid() ? current.row() + 1 : 0);
            });
    connect(this, &QAbstractItemView::clicked, this,
            [this](const QModelIndex&) { emit gridRowActivated(currentGridRow()); });
}

void ResultGrid::showTable(const THyetographTable& table, const TOptions& options,
                           QChar decimalSeparator) {
    framedRow_ = -1;
    model_.showTable(table, options, decimalSeparator);
    fitColumns(table, options);
    // A new table starts at its first row, not where the last one was scrolled to.
    scrollToTop();
}

// Each column as wide as its header and its widest text (never narrower
// than the classic widths); a width the user dragged is kept until the
// texts take another form (time format, unit, decimals).
void ResultGrid::fitColumns(const THyetographTable& table, const TOptions& options) {
    const std::array<int, 3> form = {options.Int_TimeForamtidx, options.Int_StormUnitidx,
                                     options.Int_Precision};
    if (form != textForm_) {
        textForm_ = form;
        userWidths_.fill(false);
    }
    // The widest texts: times and cumulative rainfall grow row by row, the
    // intensity peaks once.
    if (table.empty())
        return;
    std::vector<int> rows = {0, model_.dataRowCount() - 1};
    const auto peak =
        std::max_element(table.begin(), table.end(),
                         [](const auto& a, const auto& b) { return a.intensity < b.intensity; });
    rows.push_back(static_cast<int>(peak - table.begin()));
    const QFontMetrics cells(font());
    const QFontMetrics headers(horizontalHeader()->font());
    std::array<int, 3> widths{};
    for (int column = 0; column < 3; ++column)
        widths[static_cast<std::size_t>(column)] = headers.horizontalAdvance(
            model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    for (const int row : rows) {
        const TResultRowTexts texts = model_.rowTexts(row);
        widths[0] = std::max(widths[0], cells.horizontalAdvance(texts.time));
        widths[1] = std::max(widths[1], cells.horizontalAdvance(texts.intensity));
        widths[2] = std::max(widths[2], cells.horizontalAdvance(texts.cumulative));
    }
    const QScopedValueRollback ownChange(settingWidths_, true);
    for (int column = 0; column < 3; ++column)
        if (!userWidths_[static_cast<std::size_t>(column)])
            setColumnWidth(column, std::max(FilledWidths[column],
                                            widths[static_cast<std::size_t>(column)] + TextMargin));
}

// Room for the three columns at their classic widths and a few rows.
QSize ResultGrid::minimumSizeHint() const {
    const int frames = 2 * frameWidth();
    const int width = FilledWidths[0] + FilledWidths[1] + FilledWidths[2] +
                      verticalScrollBar()->sizeHint().width() + frames;
    const int height = horizontalHeader()->height() + MinimumVisibleRows * RowHeight +
                       horizontalScrollBar()->sizeHint().height() + frames;
    return {width, height};
}

void ResultGrid::clearTable() {
    framedRow_ = -1;
    model_.clear();
}

ResultGrid::Place ResultGrid::place() const {
    return {currentGridRow(), verticalScrollBar()->value()};
}

void ResultGrid::goTo(const Place& place) {
    // A refilled grid lays out its rows later: the scroll bar learns its range now.
    executeDelayedItemsLayout();
    setCurrentGridRow(std::min(place.row, model_.dataRowCount()));
    verticalScrollBar()->setValue(place.scrolled);
}

int ResultGrid::currentGridRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && current.row() < model_.dataRowCount() ? current.row() + 1 : 0;
}

void ResultGrid::setCurrentGridRow(int row) {
    if (row < 1 || row > model_.dataRowCount() || row == currentGridRow())
        return;
    const QModelIndex index = model_.index(row - 1, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void ResultGrid::FrameCurrentGridRow() {
    const int row = currentGridRow();
    framedRow_ = row > 0 ? row - 1 : -1;
    viewport()->update();
}

void ResultGrid::clearFrame() {
    if (framedRow_ < 0)
        return;
    framedRow_ = -1;
    viewport()->update();
}

void ResultGrid::setUserColumnWidths(const std::array<int, 3>& widths, const TOptions& options) {
    textForm_ = {options.Int_TimeForamtidx, options.Int_StormUnitidx, options.Int_Precision};
    const QScopedValueRollback ownChange(settingWidths_, true);
    for (std::size_t column = 0; column < widths.size(); ++column) {
        userWidths_[column] = widths[column] > 0;
        if (userWidths_[column])
            setColumnWidth(static_cast<int>(column), widths[column]);
    }
}

std::array<int, 3> ResultGrid::userColumnWidths() const {
    std::array<int, 3> widths{};
    for (std::size_t column = 0; column < widths.size(); ++column)
        widths[column] = userWidths_[column] ? columnWidth(static_cast<int>(column)) : 0;
    return widths;
}

void ResultGrid::copyAll() {
    QGuiApplication::clipboard()->setText(model_.tabSeparatedText());
}

void ResultGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyAll();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ResultGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (framedRow_ < 0 || framedRow_ >= model_.dataRowCount())
        return;
    const QRect first = visualRect(model_.index(framedRow_, 0));
    const QRect last = visualRect(model_.index(framedRow_, 2));
    if (!first.isValid() || !last.isValid())
        return;
    QPainter painter(viewport());
    painter.setPen(QPen(QColor(255, 0, 0), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        QRect(QPoint(first.left() + 1, first.top() + 1), QPoint(last.right(), last.bottom())));
}

} // namespace velmora
