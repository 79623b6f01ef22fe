#pragma once

#include "options.h"

#include <QPalette>

#include <array>

namespace velmora {

class HyetographChart;
class InfoLabel;
class StormSession;

// A session's storm on a chart, as the window shows it and the documents
// print it: the table's two series, the compared storms' lines with their
// legend, both value axes fitted to what is shown, and the five information
// labels, in the options' fonts. It reads the session and draws; it owns no
// state of its own beyond the chart's. The window puts one on screen;
// velmora-cli draws one into the report's picture without a window.
class StormChartView {
public:
    // The labels are made on `chart`, at their starting places.
    explicit StormChartView(HyetographChart& chart);

    HyetographChart& chart() const { return chart_; }
    // P, T, r, H and the average intensity, in that order.
    const std::array<InfoLabel*, 5>& labels() const { return labels_; }

    // The options' fonts for the axes and the labels, and the labels shown.
    void applyOptions(const TOptions& options, const QPalette& palette);
    // The session's table, its compared storms, the label texts and the
    // series `bars` and `line` shown; an empty table leaves the series empty.
    void showStorm(const StormSession& session, bool bars, bool line);
    // The compared storms' lines, after the comparison changed.
    void showComparison(const StormSession& session);
    // Which series are shown, and the value axes for them.
    void showSeries(const StormSession& session, bool bars, bool line);
    // Lets go of the rows shown, before the session's table changes.
    void clear();
    // Draws every change now on a chart shown, else when it is first shown.
    void draw();

private:
    void writeLabelTexts(const StormSession& session);
    void fitValueAxes(const StormSession& session);

    HyetographChart& chart_;
    std::array<InfoLabel*, 5> labels_{};
    bool barsShown_ = true;
    bool lineShown_ = true;
};

} // namespace velmora
