#pragma once

#include "result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QStringList>

#include <memory>

namespace velmora {
class DocumentChart;
class StormSession;
} // namespace velmora

namespace velmora::cli {

struct CliRequest;

// The application object velmora-cli runs in: with widgets (offscreen) when
// the arguments ask for the calculation report, whose chart is drawn by the
// window's code; a plain one otherwise.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv,
                                                  const Result<CliRequest>& parsed);

// Draws the chart of a session as the window draws it, at the report's
// 553 × 400 with twice the pixels, on a chart of its own without a window. The
// chart is made the first time and then draws each storm, so a batch's
// reports share it (its making costs many times a drawing). Needs the
// application object made for the report, and must be destroyed before it.
class ReportChartDrawer {
public:
    ReportChartDrawer();
    ~ReportChartDrawer();
    Result<QImage> draw(StormSession& session);

private:
    std::unique_ptr<DocumentChart> chart_;
};

} // namespace velmora::cli
