#include "cli_compare.h"

#include "atomic_file.h"
#include "cli_batch.h"
#include "cli_output.h"
#include "number_text.h"
#include "picture_encoders.h"
#include "storm_comparison.h"
#include "storm_session.h"
#include "text_encoding.h"

namespace velmora::cli {

namespace {

std::vector<TExpressionObject> ComparedStorms(const CliRequest& request,
                                              const TExpressionObject& base) {
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

// The storms added one after the other, as the window's "加入对比" does: the
// last stays the storm shown.
Status CompareInSession(const CliRequest& request, const TExpressionObject& base,
                        StormSession& session) {
    session.setOptions(RequestOptions(request));
    for (const TExpressionObject& storm : ComparedStorms(request, base)) {
        if (const Status computed = session.newStorm(storm); !computed)
            return StormFailure(ComparedStormLegend(storm, QLatin1Char('.')), computed.failure());
        if (const Status added = session.addToComparison(); !added)
            return added;
    }
    return {};
}

// The comparison as text: the SWMM time series or the CSV table.
QString ComparisonText(const CliRequest& request, const StormSession& session) {
    return request.format == ExportFormat::Swmm
               ? ComparisonSwmmText(session.comparison(), session.options())
               : session.comparisonCsvText();
}

Status WriteComparison(const CliRequest& request, StormSession& session,
                       const ReportChartPainter& chart) {
    if (request.pictureFormat) {
        const Result<QImage> picture = chart(session);
        if (!picture)
            return picture.failure();
        const Result<QByteArray> png = EncodePng(*picture);
        if (!png)
            return png.failure();
        return WriteFileAtomically(*request.outFile, *png);
    }
    if (request.format == ExportFormat::Workbook)
        return session.writeExport(ExportFormat::Workbook, *request.outFile);
    return WriteFileAtomically(*request.outFile,
                               EncodeCodePage936(ComparisonText(request, session)));
}

} // namespace

int RunComparison(const CliRequest& request, const TExpressionObject& base, CliOutput& output,
                  const ReportChartPainter& chart) {
    StormSession session;
    Status done = CompareInSession(request, base, session);
    if (done && !request.outFile) {
        output.print(ComparisonText(request, session));
        return 0;
    }
    if (done)
        done = WriteComparison(request, session, chart);
    if (done)
        return 0;
    output.printFailure(done.failure());
    return 1;
}

} // namespace velmora::cli
