// velmora-cli: the storm computation for scripts and batch work.

#include "cli_run.h"

#include <QString>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QByteArray out;
    QByteArray err;
    const int exitCode = velmora::cli::RunCli(arguments, out, err);
    std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    std::fwrite(err.constData(), 1, static_cast<std::size_t>(err.size()), stderr);
    return std::fflush(stdout) == 0 ? exitCode : 1;
}
