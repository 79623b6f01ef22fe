#pragma once

#include "display_text.h"
#include "hyetograph.h"
#include "options.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <array>

namespace velmora {

// The cell texts of the result grid, made when a cell is shown, from the rows
// and the display options in force when the table was filled. Model row k is
// grid row k + 1 (grid row 0 is the header).
class ResultGridModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Shows `table`, which must live until the next call to showTable or clear.
    void showTable(const THyetographTable& table, const TOptions& options, QChar decimalSeparator);
    // The header row alone.
    void clear();

    int dataRowCount() const { return table_ ? static_cast<int>(table_->size()) : 0; }
    // The texts of data row `row` as shown.
    TResultRowTexts rowTexts(int row) const;
    // The header and every row as shown, cells parted by tabs, lines by line
    // ends: what a spreadsheet takes as three columns when pasted.
    QString tabSeparatedText() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const THyetographTable* table_ = nullptr;
    TOptions options_;
    QChar separator_ = QLatin1Char('.');
    bool filled_ = false;
    QString headers_[3];
};

// The grid `GridData`: a header row, a header-styled time column, whole-row
// selection, and the red frame round the row the chart's pointer is on.
class ResultGrid final : public QTableView {
    Q_OBJECT
public:
    explicit ResultGrid(QWidget* parent = nullptr);

    ResultGridModel& gridModel() { return model_; }
    const ResultGridModel& gridModel() const { return model_; }

    // Shows the table with the column widths of a filled grid.
    void showTable(const THyetographTable& table, const TOptions& options, QChar decimalSeparator);
    void clearTable();

    // Where the grid stands: its current row and how far it is scrolled.
    struct Place {
        int row = 0; // a grid row, 0 for none
        int scrolled = 0;
    };
    Place place() const;
    // Goes back to `place` on the table shown now, as far as its rows allow.
    void goTo(const Place& place);

    // The current grid row (1 for the first data row), 0 when there is none.
    int currentGridRow() const;
    // Makes grid row `row` current; nothing happens when it is current already.
    void setCurrentGridRow(int row);

    // Draws the red frame round the current row until the grid is repainted
    // for another reason (another row, a refill, the frame cleared).
    void FrameCurrentGridRow();
    void clearFrame();

    // The whole table onto the clipboard (also Ctrl+C in the grid).
    void copyAll();

    QSize minimumSizeHint() const override;

    // Column widths the user set (0 for a column fitted to its texts), kept
    // as long as the texts keep the form of `options`.
    void setUserColumnWidths(const std::array<int, 3>& widths, const TOptions& options);
    std::array<int, 3> userColumnWidths() const;

signals:
    // GridDataClick: every click on the grid and every change of the current
    // row, with the current grid row (0 for none).
    void gridRowActivated(int gridRow);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitColumns(const THyetographTable& table, const TOptions& options);

    ResultGridModel model_;
    int framedRow_ = -1;                      // model row
    std::array<int, 3> textForm_{-1, -1, -1}; // time format, unit, decimals of the widths
    std::array<bool, 3> userWidths_{};        // columns whose width the user set
    bool settingWidths_ = false;
};

} // namespace velmora
