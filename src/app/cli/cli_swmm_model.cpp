#include "cli_swmm_model.h"

#include "cli_output.h"
#include "cli_request_storm.h"
#include "storm_session.h"
#include "swmm_model.h"

namespace velmora::cli {

namespace {

// Each storm of the request as computed, in the order of the combinations.
Result<std::vector<TSwmmStorm>>
ComputedStorms(const CliRequest& request, const RequestStorms& storms, const TOptions& options) {
    StormSession session;
    session.setOptions(options);
    std::vector<TSwmmStorm> computed;
    computed.reserve(storms.count());
    for (std::size_t i = 0; i < storms.count(); ++i) {
        const TExpressionObject storm = storms.at(i);
        if (const Status done = session.newStorm(storm); !done)
            return StormFailure(ComparedStormLegend(storm, QLatin1Char('.')), done.failure());
        computed.push_back(SwmmStormOf(session.storm(), session.table(), session.options()));
        computed.back().gageName = request.gageName.value_or(QString());
    }
    return computed;
}

} // namespace

int RunIntoSwmmModel(const CliRequest& request, const TExpressionObject& base, CliOutput& output) {
    const TOptions options = RequestOptions(request);
    const RequestStorms storms(request, base, options.D_QI_ConversionRatio);
    if (const Status storable = storms.checkStorable(); !storable) {
        output.printProgramFailure(storable.failure());
        return 2;
    }
    const Result<std::vector<TSwmmStorm>> computed = ComputedStorms(request, storms, options);
    if (!computed) {
        output.printFailure(computed.failure());
        return 1;
    }
    const Result<TSwmmModelReport> written = WriteStormsIntoSwmmModel(
        *request.intoSwmm, *computed, {.replace = request.force, .assignGage = request.assignGage});
    if (!written) {
        Failure failure = written.failure();
        if (failure.kind == FailureKind::NameTaken)
            failure.message += QStringLiteral("（替换请加 --force）");
        output.printFailure(failure);
        return 1;
    }
    output.print(SwmmModelReportLines(*written).join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return 0;
}

} // namespace velmora::cli
