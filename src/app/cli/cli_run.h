#pragma once

#include "result.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>

#include <functional>

namespace velmora {
class StormSession;
}

namespace velmora::cli {

// Draws the chart of a computed session as the calculation report shows it;
// the program supplies it, since drawing needs the window's chart.
using ReportChartPainter = std::function<Result<QImage>(StormSession& session)>;

class CliOutput;

struct CliRequest;

// Runs velmora-cli on the arguments as read (`parsed`), printing into `output`
// as it goes; the exit codes as below.
int RunCli(const Result<CliRequest>& parsed, CliOutput& output,
           const ReportChartPainter& reportChart = {});

// Runs velmora-cli with `arguments` (without the program name), printing into
// `output` as it goes; returns the exit code: 0 done, 1 the computation or the
// update check failed (memory exhausted too: "出错：内存不足"), 2 the
// arguments were refused. The update check needs a Qt application object.
int RunCli(const QStringList& arguments, CliOutput& output,
           const ReportChartPainter& reportChart = {});

// The same, collecting what it prints into `out` and `err`.
int RunCli(const QStringList& arguments, QByteArray& out, QByteArray& err,
           const ReportChartPainter& reportChart = {});

} // namespace velmora::cli
