#pragma once

#include "result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>

#include <memory>

namespace velmora {
class StormSession;
}

namespace velmora::cli {

struct CliRequest;

// The application object velmora-cli runs in: with widgets (offscreen) when
// the arguments ask for the calculation report, whose chart is drawn by the
// window's code; a plain one otherwise.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv,
                                                  const Result<CliRequest>& parsed);

// The chart of `session` as the window draws it, at the report's 553 × 400
// pixels, as PNG: the window is built offscreen on the session and shown only
// there. Needs the application object made for the report.
Result<QByteArray> DrawReportChart(StormSession& session);

} // namespace velmora::cli
