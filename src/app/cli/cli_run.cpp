#include "cli_run.h"

#include "atomic_file.h"
#include "cli_arguments.h"
#include "cli_batch.h"
#include "cli_compare.h"
#include "cli_fit.h"
#include "cli_output.h"
#include "cli_swmm_model.h"
#include "display_text.h"
#include "idf_check.h"
#include "number_text.h"
#include "storm_file.h"
#include "storm_session.h"
#include "text_encoding.h"
#include "update_query.h"

#include <new>

namespace velmora::cli {

namespace {

// The two totals after the table. A SWMM rainfall file takes them only as
// ";;" comment lines: the model refuses any other line that is not data.
QString TotalsText(const TExpressionObject& storm, const TOptions& options, QChar separator,
                   bool asComments) {
    // The average is in the unit the computation used.
    const QString unit = ComputedIntensityUnit(options.Int_StormUnitidx);
    const QString prefix = asComments ? QStringLiteral(";;") : QString();
    return prefix + OverallRainfallLabelText(storm, options, separator) + QStringLiteral("\r\n") +
           prefix + AverageIntensityLabelText(storm, options, unit, separator) +
           QStringLiteral("\r\n");
}

// Exit code 1 with the failure's message, or 0.
int Finish(const Status& status, CliOutput& output) {
    if (status)
        return 0;
    output.printFailure(status.failure());
    return 1;
}

// The update check's answer as the window words it, for a terminal: the new
// version, its notes and its page, or that this is the latest version.
int CheckUpdate(const CliRequest& request, CliOutput& output) {
    UpdateServer server = MakerUpdateServer();
    if (request.updateServer)
        server.base = *request.updateServer;
    const Result<std::optional<UpdateOffer>> outcome =
        CheckForUpdate(server, UserDecimalSeparator());
    QString text;
    if (!outcome)
        text = FailureText(outcome.failure()) + QStringLiteral("\r\n");
    else if (outcome->has_value())
        text = UpdateNewsText(**outcome) + (*outcome)->page.toString(QUrl::FullyEncoded) +
               QStringLiteral("\r\n");
    else
        text = UpToDateText + QStringLiteral("\r\n");
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    output.print(text);
    return outcome ? 0 : 1;
}

// The check table on standard output (UTF-8, LF), or in --out (code page 936, CR LF).
int PrintIdfCheck(const CliRequest& request, const TExpressionObject& storm, CliOutput& output) {
    const Result<std::vector<TIdfCheckRow>> rows = IdfCheckTable(storm);
    if (!rows)
        return Finish(rows.failure(), output);
    const QStringList lines = IdfCheckLines(*rows, QLatin1Char(','));
    if (!request.outFile) {
        output.print(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return 0;
    }
    const QString lineEnd = QStringLiteral("\r\n");
    return Finish(
        WriteFileAtomically(*request.outFile, EncodeCodePage936(lines.join(lineEnd) + lineEnd)),
        output);
}

int RunRequest(const CliRequest& request, CliOutput& output,
               const ReportChartPainter& reportChart) {
    if (request.help) {
        output.print(CliHelpText());
        return 0;
    }
    if (request.version) {
        output.print(QStringLiteral("Velmora %1\n").arg(ProgramVersion));
        return 0;
    }
    if (request.checkUpdate)
        return CheckUpdate(request, output);

    const QChar separator = UserDecimalSeparator();
    TExpressionObject storm = DefaultStorm();
    if (request.stormFile) {
        const Result<TExpressionObject> read = ReadStormFileAt(*request.stormFile, separator);
        if (!read)
            return Finish(read.failure(), output);
        storm = *read;
    }
    if (request.intoSwmm)
        return RunIntoSwmmModel(request, storm, output);
    if (request.fitsRainData())
        return RunFit(request, storm, output);
    if (request.isBatch())
        return RunBatch(request, storm, output, reportChart);
    if (request.compare)
        return RunComparison(request, storm, output, reportChart);
    request.storm.applyTo(storm, request.options.D_QI_ConversionRatio, request.qiRatioGiven);
    // A storm the storm file could not give back is refused before anything is
    // computed or written (an infinite coefficient from an extreme factor).
    if (const Status storable = CheckStormFileValues(storm, separator); !storable) {
        output.printProgramFailure(storable.failure());
        return 2;
    }

    if (request.idfCheck)
        return PrintIdfCheck(request, storm, output);

    StormSession session;
    session.setOptions(RequestOptions(request));
    // A storm that cannot be computed is written nowhere, not even as a storm file.
    if (const Status computed = session.newStorm(storm); !computed)
        return Finish(computed, output);
    if (request.writeStormFile)
        return Finish(session.saveStormFile(*request.writeStormFile), output);
    if (IsOfficeDocument(request.format))
        return Finish(WriteStormOutput(request, session, *request.outFile, ExistingFile::Replace,
                                       reportChart),
                      output);
    QString text = session.exportText(request.format);
    if (request.totals)
        text += TotalsText(session.storm(), session.options(), separator,
                           request.format == ExportFormat::Swmm);
    if (!request.outFile) {
        output.print(text);
        return 0;
    }
    return Finish(WriteFileAtomically(*request.outFile, EncodeCodePage936(text)), output);
}

} // namespace

int RunCli(const Result<CliRequest>& parsed, CliOutput& output,
           const ReportChartPainter& reportChart) {
    if (!parsed) {
        output.printProgramFailure(parsed.failure(), CliUsageLine());
        return 2;
    }
    try {
        return RunRequest(*parsed, output, reportChart);
    } catch (const std::bad_alloc&) {
        // A batch or a table too large for the memory: said, never a crash.
        output.printFailure(Failure::Error(QStringLiteral("内存不足")));
        return 1;
    }
}

int RunCli(const QStringList& arguments, CliOutput& output, const ReportChartPainter& reportChart) {
    return RunCli(ParseCliArguments(arguments), output, reportChart);
}

int RunCli(const QStringList& arguments, QByteArray& out, QByteArray& err,
           const ReportChartPainter& reportChart) {
    CollectedOutput output;
    const int exitCode = RunCli(arguments, output, reportChart);
    out += output.out;
    err += output.err;
    return exitCode;
}

} // namespace velmora::cli
