#pragma once

#include <QImage>
#include <QSize>

#include <memory>

namespace velmora {

class HyetographChart;
class StormChartView;
class StormSession;

// The chart of a session drawn for a document, without a window: a chart of
// its own, never shown, in the windows' font, showing the session's storm as
// the window shows it (its series, compared storms, axes and labels as the
// options say). Made once, it draws whichever session it is given, so a
// batch of reports builds it once. Needs a QApplication.
class DocumentChart {
public:
    DocumentChart();
    ~DocumentChart();

    // Drawn at `size` with `pixelRatio` pixels for each of the screen's.
    QImage picture(const StormSession& session, const QSize& size, qreal pixelRatio);
    // The resolution the size of a document's picture is reckoned in.
    int logicalDpiX() const;

private:
    std::unique_ptr<HyetographChart> chart_;
    std::unique_ptr<StormChartView> view_;
};

} // namespace velmora
