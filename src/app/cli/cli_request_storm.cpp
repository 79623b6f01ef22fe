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

Status WriteStormOutput(const CliRequest& request, StormSession& session, const QString& path,
                        ExistingFile existing, const ReportChartPainter& reportChart) {
    if (request.stormFormat)
        return session.saveStormFile(path, existing);
    if (request.format != ExportFormat::Report)
        return session.writeExport(request.format, path, existing);
    if (!reportChart)
        return Failure::Error(QStringLiteral("无法绘制曲线图"));
    const Result<QByteArray> chart = reportChart(session);
    if (!chart)
        return chart.failure();
    return session.writeReport(path, *chart, existing);
}

} // namespace velmora::cli
