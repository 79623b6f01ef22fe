#include "cli_run.h"

#include "atomic_file.h"
#include "cli_arguments.h"
#include "csv_text.h"
#include "display_text.h"
#include "hyetograph.h"
#include "number_text.h"
#include "storm_file.h"
#include "swmm_text.h"
#include "text_encoding.h"

namespace velmora::cli {

namespace {

// The two totals after the table. A SWMM rainfall file takes them only as
// ";;" comment lines: the model refuses any other line that is not data.
QString TotalsText(const TExpressionObject& storm, const TOptions& options, QChar separator,
                   bool asComments) {
    // The average is in the unit the computation used: mm/h for unit 0,
    // mm/min for any other value.
    const QString unit = IntensityUnitText(options.Int_StormUnitidx == 0 ? 0 : 1).value();
    const QString prefix = asComments ? QStringLiteral(";;") : QString();
    return prefix + OverallRainfallLabelText(storm, options, separator) + QStringLiteral("\r\n") + prefix +
           AverageIntensityLabelText(storm, options, unit, separator) + QStringLiteral("\r\n");
}

} // namespace

int RunCli(const QStringList& arguments, QByteArray& out, QByteArray& err) {
    const CliParseResult parsed = ParseCliArguments(arguments);
    if (!parsed.request) {
        err += QStringLiteral("velmora-cli: %1\n%2\n").arg(parsed.error, CliUsageLine).toUtf8();
        return 2;
    }
    const CliRequest& request = *parsed.request;
    if (request.help) {
        out += CliHelpText().toUtf8();
        return 0;
    }

    const QChar separator = UserDecimalSeparator();
    TExpressionObject storm = DefaultStorm();
    if (request.stormFile) {
        const StormFileReading read = ReadStormFileAt(*request.stormFile, separator);
        if (!read.storm) {
            err += (read.error + QLatin1Char('\n')).toUtf8();
            return 1;
        }
        storm = *read.storm;
    }
    request.storm.applyTo(storm, request.options.D_QI_ConversionRatio, request.qiRatioGiven);
    // A storm the storm file could not give back is refused before anything is
    // computed or written (an infinite coefficient from an extreme factor).
    if (const Status storable = CheckStormFileValues(storm, separator); !storable) {
        err += QStringLiteral("velmora-cli: %1\n").arg(storable.message()).toUtf8();
        return 2;
    }

    if (request.writeStormFile) {
        const Status written = WriteFileAtomically(*request.writeStormFile, StormFileBytes(storm, separator).value());
        if (!written) {
            err += (written.message() + QLatin1Char('\n')).toUtf8();
            return 1;
        }
        return 0;
    }

    TOptions options = request.options;
    const bool swmm = request.format == CliRequest::Format::Swmm;
    if (swmm) {
        // As the SWMM export does: hours and minutes, mm/h.
        options.Int_TimeForamtidx = 0;
        options.Int_StormUnitidx = 0;
    }
    const THyetographResult result = CalcHyetograph(storm, options);
    if (!result.succeeded()) {
        err += (QStringLiteral("出错：") + result.failure + QLatin1Char('\n')).toUtf8();
        return 1;
    }
    StoreResults(storm, result);

    std::vector<TResultRowTexts> rows;
    rows.reserve(result.rows.size());
    for (const THyetographRow& row : result.rows)
        rows.push_back(ResultRowTexts(row, options, swmm ? QLatin1Char('.') : separator));
    QString text = swmm ? SwmmText(rows) : CsvText(rows, options);
    if (request.totals)
        text += TotalsText(storm, options, separator, swmm);

    if (!request.outFile) {
        out += text.toUtf8();
        return 0;
    }
    const Status written = WriteFileAtomically(*request.outFile, EncodeCodePage936(text));
    if (!written) {
        err += (written.message() + QLatin1Char('\n')).toUtf8();
        return 1;
    }
    return 0;
}

} // namespace velmora::cli
