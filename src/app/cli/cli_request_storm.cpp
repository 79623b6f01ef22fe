#include "cli_request_storm.h"

#include "number_text.h"
#include "storm_file.h"
#include "storm_session.h"

namespace velmora::cli {

namespace {

// The values given for one design value (--P, --T, --r), or one empty value
// that stands for the base storm's own.
std::vector<std::optional<double>> ValuesOrBase(const std::vector<double>& given) {
    std::vector<std::optional<double>> values(given.begin(), given.end());
    if (values.empty())
        values.push_back(std::nullopt);
    return values;
}

} // namespace

RequestStorms::RequestStorms(const CliRequest& request, const TExpressionObject& base,
                             double qiRatio)
    : request_(request), base_(base), qiRatio_(qiRatio),
      repeatYears_(ValuesOrBase(request.repeatYears)), durations_(ValuesOrBase(request.durations)),
      percents_(ValuesOrBase(request.peakRatios)) {}

std::size_t RequestStorms::count() const {
    return repeatYears_.size() * durations_.size() * percents_.size();
}

TExpressionObject RequestStorms::at(std::size_t index) const {
    const std::size_t inner = durations_.size() * percents_.size();
    return storm(repeatYears_[index / inner], durations_[index % inner / percents_.size()],
                 percents_[index % percents_.size()]);
}

Status RequestStorms::checkStorable() const {
    const auto storable = [](const TExpressionObject& storm) {
        return CheckStormFileValues(storm, UserDecimalSeparator());
    };
    for (const auto& repeatYear : repeatYears_)
        if (Status kept = storable(storm(repeatYear, durations_[0], percents_[0])); !kept)
            return kept;
    for (const auto& time : durations_)
        if (Status kept = storable(storm(repeatYears_[0], time, percents_[0])); !kept)
            return kept;
    for (const auto& percent : percents_)
        if (Status kept = storable(storm(repeatYears_[0], durations_[0], percent)); !kept)
            return kept;
    return {};
}

TExpressionObject RequestStorms::storm(const std::optional<double>& repeatYear,
                                       const std::optional<double>& time,
                                       const std::optional<double>& percent) const {
    StormEdits edits = request_.storm;
    if (repeatYear)
        edits.repeatYear = repeatYear;
    if (time)
        edits.time = time;
    if (percent)
        edits.percent = percent;
    TExpressionObject storm = base_;
    edits.applyTo(storm, qiRatio_, request_.qiRatioGiven);
    return storm;
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
