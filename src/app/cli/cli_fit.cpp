#include "cli_fit.h"

#include "cli_arguments.h"
#include "cli_output.h"
#include "cli_request_storm.h"
#include "fit_tables.h"
#include "number_text.h"
#include "rain_data_fit.h"
#include "storm_file.h"
#include "storm_session.h"

namespace velmora::cli {

namespace {

TRainDataFitChoices FitChoices(const CliRequest& request) {
    TRainDataFitChoices choices;
    choices.kind = request.fitTableFile ? RainDataKind::IntensityTable : RainDataKind::AnnualMaxima;
    if (request.tableUnit)
        choices.unit = static_cast<IntensityUnit>(*request.tableUnit);
    choices.qiRatio = request.options.D_QI_ConversionRatio;
    choices.logOfP = request.storm.naturalLog ? NaturalLogarithm : CommonLogarithm;
    if (!request.fitPeriods.empty())
        choices.returnPeriods = request.fitPeriods;
    if (request.distribution)
        choices.distribution = static_cast<DistributionChoice>(*request.distribution);
    return choices;
}

// The formula's lines, then each table after a blank line and its title.
QString FitText(const TRainDataFit& fit) {
    QStringList lines = FormulaKeyLines(fit.fit.total);
    for (const TTextTable& table : RainDataFitTables(fit))
        lines << QString() << QStringLiteral("# ") + table.title
              << TextTableLines(table, QLatin1Char(','));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// The fitted formula on the base storm with the request's other values,
// written as the session writes storm files.
Status WriteFittedStorm(const CliRequest& request, TExpressionObject storm,
                        const TTotalFormula& formula) {
    const double qiRatio = request.options.D_QI_ConversionRatio;
    request.storm.applyTo(storm, qiRatio, request.qiRatioGiven);
    storm = StormWithFormula(storm, formula, qiRatio);
    if (const Status storable = CheckStormFileValues(storm, UserDecimalSeparator()); !storable)
        return storable.failure().asError();
    StormSession session;
    session.setOptions(RequestOptions(request));
    // A storm that cannot be computed is written nowhere.
    if (const Status computed = session.newStorm(storm); !computed)
        return computed;
    return session.saveStormFile(*request.writeStormFile);
}

} // namespace

int RunFit(const CliRequest& request, const TExpressionObject& base, CliOutput& output) {
    const Result<QString> text =
        ReadRainDataFile(request.fitTableFile ? *request.fitTableFile : *request.fitMaximaFile);
    if (!text) {
        output.printFailure(text.failure().asError());
        return 1;
    }
    const Result<TRainDataFit> fit = FitRainData(*text, FitChoices(request));
    if (!fit) {
        output.printFailure(fit.failure().asError());
        return 1;
    }
    output.print(FitText(*fit));
    if (!request.writeStormFile)
        return 0;
    if (const Status written = WriteFittedStorm(request, base, fit->fit.total); !written) {
        output.printFailure(written.failure().asError());
        return 1;
    }
    return 0;
}

} // namespace velmora::cli
