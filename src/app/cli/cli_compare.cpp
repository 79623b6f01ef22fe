#include "cli_compare.h"

#include "atomic_file.h"
#include "cli_batch.h"
#include "cli_output.h"
#include "number_text.h"
#include "storm_comparison.h"
#include "text_encoding.h"

#include <QRegularExpression>

namespace velmora::cli {

namespace {

std::vector<TExpressionObject> ComparedStorms(const CliRequest& request, const TExpressionObject& base) {
    TExpressionObject edited = base;
    request.storm.applyTo(edited, request.options.D_QI_ConversionRatio, request.qiRatioGiven);
    std::vector<TExpressionObject> storms;
    for (const auto& repeatYear : ValuesOrBase(request.repeatYears))
        for (const auto& time : ValuesOrBase(request.durations))
            for (const auto& percent : ValuesOrBase(request.peakRatios)) {
                TExpressionObject storm = edited;
                storm.Storm_RepeatYear = repeatYear.value_or(storm.Storm_RepeatYear);
                storm.Storm_Time = time.value_or(storm.Storm_Time);
                storm.Storm_Percent = percent.value_or(storm.Storm_Percent);
                storms.push_back(storm);
            }
    return storms;
}

} // namespace

int RunComparison(const CliRequest& request, const TExpressionObject& base, CliOutput& output) {
    const TOptions options = RequestOptions(request);
    std::vector<TComparedStorm> compared;
    for (const TExpressionObject& storm : ComparedStorms(request, base)) {
        Result<TComparedStorm> computed = CompareStorm(storm, options);
        if (!computed) {
            QString reason = computed.message();
            reason.remove(QRegularExpression(QStringLiteral("^出错：")));
            reason.replace(QRegularExpression(QStringLiteral("\r?\n")), QStringLiteral(" "));
            output.printFailure(QStringLiteral("出错：%1：%2\n").arg(ComparedStormLegend(storm, QLatin1Char('.')), reason));
            return 1;
        }
        compared.push_back(std::move(computed).value());
    }
    const QString text = request.format == ExportFormat::Swmm
                             ? ComparisonSwmmText(compared, options)
                             : ComparisonCsvText(compared, options, UserDecimalSeparator());
    if (!request.outFile) {
        output.print(text);
        return 0;
    }
    const Status written = WriteFileAtomically(*request.outFile, EncodeCodePage936(text));
    if (written)
        return 0;
    output.printFailure(written.message() + QLatin1Char('\n'));
    return 1;
}

} // namespace velmora::cli
