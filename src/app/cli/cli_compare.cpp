#include "cli_compare.h"

#include "atomic_file.h"
#include "cli_batch.h"
#include "cli_output.h"
#include "cli_request_storm.h"
#include "number_text.h"
#include "picture_encoders.h"
#include "storm_comparison.h"
#include "storm_session.h"
#include "text_encoding.h"

namespace velmora::cli {

namespace {

// The storms added one after the other, as the window's "加入对比" does: the
// last stays the storm shown.
Status CompareInSession(const CliRequest& request, const TExpressionObject& base,
                        StormSession& session) {
    const TOptions options = RequestOptions(request);
    session.setOptions(options);
    const RequestStorms storms(request, base, options.D_QI_ConversionRatio);
    for (std::size_t i = 0; i < storms.count(); ++i) {
        const TExpressionObject storm = storms.at(i);
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
