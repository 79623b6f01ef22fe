// velmora-cli: the storm computation for scripts and batch work.

#include "cli_run.h"
#include "report_chart.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // The update check waits for the server in Qt's event loop; the report's
    // chart needs the widgets, which only that command pays for.
    const std::unique_ptr<QCoreApplication> application = velmora::cli::MakeApplication(argc, argv, arguments);

    QByteArray out;
    QByteArray err;
    const int exitCode = velmora::cli::RunCli(arguments, out, err, velmora::cli::DrawReportChart);
    errno = 0;
    const bool printed = std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout) ==
                             static_cast<std::size_t>(out.size()) &&
                         std::fflush(stdout) == 0;
    const int reason = errno;
    std::fwrite(err.constData(), 1, static_cast<std::size_t>(err.size()), stderr);
    if (printed)
        return exitCode;
    // A full disk or a closed pipe behind standard output: the table is not
    // where the caller expects it, and the caller must hear why.
    std::fprintf(stderr, "velmora-cli: 无法写入标准输出：%s\n",
                 reason != 0 ? std::strerror(reason) : "未知的原因");
    return 1;
}
