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

void TFormQuorvel::SeriesPointClick(int index) {
    GridData->setCurrentGridRow(index + 1);
}

void TFormQuorvel::GridDataClick(int gridRow) {
    if (gridRow >= 1)
        Chart1->highlightPoint(gridRow - 1);
}

} // namespace velmora
