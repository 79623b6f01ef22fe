#include "cli_run.h"

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

QString TotalsText(const TExpressionObject& storm, const TOptions& options, QChar separator) {
    // The average is in the unit the computation used: mm/h for unit 0,
    // mm/min for any other value.
    const QString unit = IntensityUnitText(options.Int_StormUnitidx == 0 ? 0 : 1).value();
    return OverallRainfallLabelText(storm, options, separator) + QStringLiteral("\r\n") +
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

    if (request.writeStormFile) {
        QString error;
        if (!WriteFileAtomically(*request.writeStormFile, StormFileBytes(storm, separator), &error)) {
            err += (error + QLatin1Char('\n')).toUtf8();
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
        text += TotalsText(storm, options, separator);

    if (!request.outFile) {
        out += text.toUtf8();
        return 0;
    }
    QString error;
    if (!WriteFileAtomically(*request.outFile, EncodeCodePage936(text), &error)) {
        err += (error + QLatin1Char('\n')).toUtf8();
        return 1;
    }
    return 0;
}

} // namespace velmora::cli
