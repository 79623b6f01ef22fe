// The command line of velmora-cli: arguments separated by NUL bytes.

#include "cli_arguments.h"
#include "fuzz_check.h"

#include <QStringList>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QStringList arguments;
    for (const QByteArray& argument : fuzz::Bytes(data, size).split('\0'))
        arguments << QString::fromUtf8(argument);
    const Result<cli::CliRequest> parsed = cli::ParseCliArguments(arguments);
    FUZZ_CHECK(parsed.ok() || !parsed.message().isEmpty());
    if (!parsed)
        return 0;
    const cli::CliRequest& request = *parsed;
    FUZZ_CHECK(!IsOfficeDocument(request.format) || request.outFile);
    TExpressionObject storm = DefaultStorm();
    request.storm.applyTo(storm, request.options.D_QI_ConversionRatio, request.qiRatioGiven);
    return 0;
}
