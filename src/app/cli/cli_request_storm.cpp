#include "cli_request_storm.h"

#include "storm_session.h"

namespace velmora::cli {

std::vector<std::optional<double>> ValuesOrBase(const std::vector<double>& given) {
    std::vector<std::optional<double>> values(given.begin(), given.end());
    if (values.empty())
        values.push_back(std::nullopt);
    return values;
}

TOptions RequestOptions(const CliRequest& request) {
    if (!request.stormFormat && request.format == ExportFormat::Swmm)
        return WithSwmmUnits(request.options);
    return request.options;
}

Result<FileWriting> StormOutputWriting(const CliRequest& request, StormSession& session,
                                       const QString& path, ExistingFile existing,
                                       const ReportChartPainter& reportChart) {
    if (request.stormFormat || request.format != ExportFormat::Report) {
        const Status written = request.stormFormat
                                   ? session.saveStormFile(path, existing)
                                   : session.writeExport(request.format, path, existing);
        return FileWriting([written] { return written; });
    }
    if (!reportChart)
        return Failure::Error(QStringLiteral("无法绘制曲线图"));
    const Result<QImage> chart = reportChart(session);
    if (!chart)
        return chart.failure();
    return session.reportWriting(*chart, path, existing);
}

Status WriteStormOutput(const CliRequest& request, StormSession& session, const QString& path,
                        ExistingFile existing, const ReportChartPainter& reportChart) {
    const Result<FileWriting> writing =
        StormOutputWriting(request, session, path, existing, reportChart);
    return writing ? (*writing)() : Status(writing.failure());
}

} // namespace velmora::cli
