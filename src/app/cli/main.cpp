// velmora-cli: the storm computation for scripts and batch work.

#include "cli_batch.h"
#include "cli_output.h"
#include "cli_run.h"
#include "platform_files.h"
#include "report_chart.h"
#include "system_reason.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <memory>
#include <new>

namespace {

// Standard output and error as velmora-cli prints: each piece at once, so
// that a batch's lines arrive as its storms finish. The first failure to
// write standard output is kept (a full disk or a closed pipe behind it).
class StandardStreams final : public velmora::cli::CliOutput {
public:
    // A standard output closed at the start takes nothing: the first result
    // printed fails, and says so.
    explicit StandardStreams(bool outputClosed) : outputClosed_(outputClosed) {}

    bool failed() const { return failed_; }
    QString failureReason() const {
        if (outputClosed_)
            return QStringLiteral("标准输出已关闭");
        return reason_ != 0 ? velmora::SystemReasonText(reason_) : QStringLiteral("未知的原因");
    }

protected:
    void writeResult(const QByteArray& utf8) override {
        if (failed_)
            return;
        if (outputClosed_) {
            failed_ = true;
            return;
        }
        errno = 0;
        if (std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout) ==
                static_cast<std::size_t>(utf8.size()) &&
            std::fflush(stdout) == 0)
            return;
        failed_ = true;
        reason_ = errno;
    }
    void writeFailure(const QByteArray& utf8) override {
        // Windows buffers standard error when it is a pipe: flushed at once,
        // a failure stays among the lines it came between.
        std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stderr);
        std::fflush(stderr);
    }

private:
    const bool outputClosed_;
    bool failed_ = false;
    int reason_ = 0;
};

extern "C" void StopBatch(int) {
    velmora::cli::BatchStopRequested = true;
}

velmora::Result<velmora::cli::CliRequest> Parse(int argc, char* argv[]) {
    const velmora::Result<QStringList> arguments = velmora::cli::DecodeArguments(argc, argv);
    if (!arguments)
        return arguments.failure();
    return velmora::cli::ParseCliArguments(*arguments);
}

int Run(int argc, char* argv[], StandardStreams& streams) {
    const velmora::Result<velmora::cli::CliRequest> parsed = Parse(argc, argv);
    // TERM and Ctrl+C end any other run at once; a batch stops after the
    // storm under way, so that no file is left half-written.
    if (parsed && parsed->isBatch()) {
        std::signal(SIGTERM, StopBatch);
        std::signal(SIGINT, StopBatch);
    }
    // The update check waits for the server in Qt's event loop; the report's
    // chart needs the widgets, which only that command pays for.
    const std::unique_ptr<QCoreApplication> application =
        velmora::cli::MakeApplication(argc, argv, parsed);
    velmora::cli::ReportChartDrawer drawer; // goes before the application
    return velmora::cli::RunCli(parsed, streams, [&drawer](velmora::StormSession& session) {
        return drawer.draw(session);
    });
}

} // namespace

int main(int argc, char* argv[]) {
#ifdef SIGPIPE
    // A closed pipe behind standard output is a failed write, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef _WIN32
    // The bytes as they are: in text mode Windows would turn every LF of
    // the CSV's CR LF into another CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    StandardStreams streams(velmora::platform::StandardOutputWasClosed());
    int exitCode = 1;
    try {
        exitCode = Run(argc, argv, streams);
    } catch (const std::bad_alloc&) {
        streams.printFailure(velmora::Failure::Error(QStringLiteral("内存不足")));
        return 1;
    }
    if (!streams.failed())
        return exitCode;
    // The table is not where the caller expects it, and the caller must hear why.
    streams.printProgramFailure(
        velmora::Failure{QStringLiteral("无法写入标准输出：%1").arg(streams.failureReason())});
    return 1;
}
