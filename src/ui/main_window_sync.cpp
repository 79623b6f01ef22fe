// The chart and the grid follow each other: pointing at or clicking a point
// selects its row, selecting a row highlights its points.

#include "main_window.h"

#include "hyetograph_chart.h"
#include "result_grid.h"

namespace velmora {

void TFormQuorvel::connectChartAndGrid() {
    connect(Chart1, &HyetographChart::pointerMoved, this, &TFormQuorvel::Chart1MouseMove);
    connect(Chart1, &HyetographChart::pointClicked, this, &TFormQuorvel::SeriesPointClick);
    connect(GridData, &ResultGrid::gridRowActivated, this, &TFormQuorvel::GridDataClick);
}

void TFormQuorvel::Chart1MouseMove() {
    showPointValues(Chart1->highlightedLinePoint());
    int index = Chart1->highlightedLinePoint();
    if (index < 0)
        index = Chart1->highlightedBarPoint(); // set only from the grid
    if (index < 0) {
        GridData->clearFrame();
        return;
    }
    GridData->setCurrentGridRow(index + 1);
    GridData->FrameCurrentGridRow();
}

// The values of the point under the pointer as the grid shows them.
void TFormQuorvel::showPointValues(int index) {
    const ResultGridModel& grid = GridData->gridModel();
    if (index < 0 || index >= grid.dataRowCount()) {
        Chart1->setToolTip(QString());
        return;
    }
    const TResultRowTexts texts = grid.rowTexts(index);
    const auto line = [&grid](int column, const QString& value) {
        return grid.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() +
               QStringLiteral("：") + value;
    };
    Chart1->setToolTip(line(0, texts.time) + QLatin1Char('\n') + line(1, texts.intensity) +
                       QLatin1Char('\n') + line(2, texts.cumulative));
}

void TFormQuorvel::SeriesPointClick(int index) {
    GridData->setCurrentGridRow(index + 1);
}

void TFormQuorvel::GridDataClick(int gridRow) {
    if (gridRow >= 1)
        Chart1->highlightPoint(gridRow - 1);
}

} // namespace velmora
