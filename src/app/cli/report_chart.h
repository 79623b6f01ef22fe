#pragma once

#include "result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QStringList>

#include <memory>

namespace velmora {
class SilentDesktop;
class StormSession;
class TFormQuorvel;
} // namespace velmora

namespace velmora::cli {

struct CliRequest;

// The application object velmora-cli runs in: with widgets (offscreen) when
// the arguments ask for the calculation report, whose chart is drawn by the
// window's code; a plain one otherwise.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv,
                                                  const Result<CliRequest>& parsed);

// Draws the chart of a session as the window draws it, at the report's
// 553 × 400 with twice the pixels. The window is built offscreen on the session the
// first time and then follows it, so a batch's reports share one window (its
// building costs many times a redraw); a window whose session was destroyed
// is replaced. Needs the application object made for the report, and must be
// destroyed before it.
class ReportChartDrawer {
public:
    ReportChartDrawer();
    ~ReportChartDrawer();
    Result<QImage> draw(StormSession& session);

private:
    std::unique_ptr<SilentDesktop> desktop_;
    std::unique_ptr<TFormQuorvel> window_;
    QPointer<StormSession> drawnSession_;
};

} // namespace velmora::cli
