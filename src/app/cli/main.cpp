// velmora-cli: the storm computation for scripts and batch work.

#include "cli_batch.h"
#include "cli_output.h"
#include "cli_run.h"
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
    bool failed() const { return failed_; }
    int failureReason() const { return reason_; }

protected:
    void writeResult(const QByteArray& utf8) override {
        if (failed_)
            return;
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
    bool failed_ = false;
    int reason_ = 0;
};

extern "C" void StopBatch(int) {
    velmora::cli::BatchStopRequested = true;
}

int Run(int argc, char* argv[], StandardStreams& streams) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The update check waits for the server in Qt's event loop; the report's
    // chart needs the widgets, which only that command pays for.
    const velmora::Result<velmora::cli::CliRequest> parsed =
        velmora::cli::ParseCliArguments(arguments);
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
    std::signal(SIGTERM, StopBatch);
    std::signal(SIGINT, StopBatch);

    StandardStreams streams;
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
    streams.printFailure(QStringLiteral("velmora-cli: 无法写入标准输出：%1\n")
                             .arg(streams.failureReason() != 0
                                      ? velmora::SystemReasonText(streams.failureReason())
                                      : QStringLiteral("未知的原因")));
    return 1;
}
