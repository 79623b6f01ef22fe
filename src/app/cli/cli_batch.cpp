#include "cli_batch.h"

#include "cli_output.h"
#include "display_text.h"
#include "export_names.h"
#include "number_text.h"
#include "storm_file.h"
#include "storm_session.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <vector>

namespace velmora::cli {

namespace {

const QChar Dot = QLatin1Char('.');
const QString LineEnd = QStringLiteral("\r\n");

// The storms of the batch, made one at a time: the i-th combination of the
// return periods (outer) and the durations (inner) on the base storm.
class BatchStorms {
public:
    BatchStorms(const CliRequest& request, const TExpressionObject& base, double qiRatio)
        : request_(request), base_(base), qiRatio_(qiRatio),
          repeatYears_(ValuesOrBase(request.repeatYears)),
          durations_(ValuesOrBase(request.durations)) {}

    std::size_t count() const { return repeatYears_.size() * durations_.size(); }

    TExpressionObject at(std::size_t index) const {
        return storm(repeatYears_[index / durations_.size()],
                     durations_[index % durations_.size()]);
    }

    // Whether every storm can be kept in a storm file. A value is checked on
    // its own, so each return period and each duration is checked once.
    Status checkStorable() const {
        for (const std::optional<double>& repeatYear : repeatYears_)
            if (const Status storable = Storable(storm(repeatYear, durations_.front())); !storable)
                return storable;
        for (const std::optional<double>& time : durations_)
            if (const Status storable = Storable(storm(repeatYears_.front(), time)); !storable)
                return storable;
        return {};
    }

private:
    static Status Storable(const TExpressionObject& storm) {
        return CheckStormFileValues(storm, UserDecimalSeparator());
    }

    TExpressionObject storm(const std::optional<double>& repeatYear,
                            const std::optional<double>& time) const {
        StormEdits edits = request_.storm;
        if (repeatYear)
            edits.repeatYear = repeatYear;
        if (time)
            edits.time = time;
        TExpressionObject storm = base_;
        edits.applyTo(storm, qiRatio_, request_.qiRatioGiven);
        return storm;
    }

    const CliRequest& request_;
    const TExpressionObject& base_;
    const double qiRatio_;
    const std::vector<std::optional<double>> repeatYears_;
    const std::vector<std::optional<double>> durations_;
};

// The row with the highest intensity; the first of equal ones.
const THyetographRow& PeakRow(const THyetographTable& table) {
    const THyetographRow* peak = &table.front();
    for (const THyetographRow& row : table)
        if (row.intensity > peak->intensity)
            peak = &row;
    return *peak;
}

// The storm's summary line: its values as the table and the labels show them,
// with "." whatever the user's number format, so that the line reads as CSV.
QString SummaryLine(const StormSession& session) {
    const TExpressionObject& storm = session.storm();
    const TOptions& options = session.options();
    const int decimals = EffectivePrecision(options);
    const THyetographRow& peak = PeakRow(session.table());
    return QStringList{GeneralNumberText(storm.Storm_RepeatYear, Dot),
                       GeneralNumberText(storm.Storm_Time, Dot),
                       GeneralNumberText(storm.Storm_Percent, Dot),
                       QString::number(storm.Storm_Step),
                       FixedDecimalsText(storm.Strom_Overall_Rainfall, decimals, Dot),
                       FixedDecimalsText(storm.Strom_Average_Rainfall_Intensity, decimals, Dot),
                       FixedDecimalsText(peak.intensity, decimals, Dot),
                       TimeText(peak.time, options.Int_TimeForamtidx)}
               .join(QLatin1Char(',')) +
           LineEnd;
}

// The name the window proposes for the storm's file in the batch's format.
QString ProposedName(const CliRequest& request, const TExpressionObject& storm) {
    const QChar separator = UserDecimalSeparator();
    if (request.stormFormat)
        return ProposedStormFileName(storm, separator);
    switch (request.format) {
    case ExportFormat::Csv:
    case ExportFormat::Swmm:
        return ProposedDataFileName(storm, QString::fromLatin1(ExportExtension(request.format)),
                                    separator);
    case ExportFormat::WordTable:
        return ProposedWordDataFileName(storm, separator);
    case ExportFormat::Report:
        return ProposedCalculationReportFileName(storm, separator);
    case ExportFormat::Workbook:
        return ProposedExcelWorkbookFileName(storm, separator);
    }
    return {};
}

// How the batch names a storm on its line of standard error.
QString StormName(const TExpressionObject& storm) {
    return QStringLiteral("P=%1年 T=%2分")
        .arg(GeneralNumberText(storm.Storm_RepeatYear, Dot),
             GeneralNumberText(storm.Storm_Time, Dot));
}

QString NameTakenMessage(const QString& path) {
    return QStringLiteral("文件“%1”已存在，没有覆盖（覆盖请加 --force）").arg(path);
}

// Writes one storm's file into the batch's folder: without --force only under
// a free name, with it over whatever has the name, as a name.
Status WriteIntoFolder(const CliRequest& request, StormSession& session,
                       const ReportChartPainter& reportChart) {
    const QString path = QDir(*request.outDir).filePath(ProposedName(request, session.storm()));
    const QFileInfo target(path);
    // Known before the storm's file is made in the usual case; the write decides in every case.
    if (!request.force && (target.exists() || target.isSymLink()))
        return Failure{NameTakenMessage(path)};
    const Status written = WriteStormOutput(
        request, session, path, request.force ? ExistingFile::ReplaceName : ExistingFile::Keep,
        reportChart);
    if (!written && written.failure().kind == FailureKind::NameTaken)
        return Failure{NameTakenMessage(path)};
    return written;
}

} // namespace

QString BatchSummaryHeader(const TOptions& options) {
    // As the CSV header: any unit other than 0 is mm/min, any time format other than 0 minutes.
    const QString unit = options.Int_StormUnitidx == MillimetresPerHour ? QStringLiteral("mm/h")
                                                                        : QStringLiteral("mm/min");
    const QString time = options.Int_TimeForamtidx == HoursAndMinutesFormat ? QStringLiteral("H:M")
                                                                            : QStringLiteral("min");
    return QStringLiteral("P(年),T(min),r,步长(min),H(mm),平均雨强(%1),峰值雨强(%1),峰值时间(%2)")
               .arg(unit, time) +
           LineEnd;
}

volatile std::sig_atomic_t BatchStopRequested = 0;

int RunBatch(const CliRequest& request, const TExpressionObject& base, CliOutput& output,
             const ReportChartPainter& reportChart) {
    const TOptions options = RequestOptions(request);
    const BatchStorms storms(request, base, options.D_QI_ConversionRatio);
    // Every storm is checked before the first is computed, as one storm is.
    if (const Status storable = storms.checkStorable(); !storable) {
        output.printFailure(
            QStringLiteral("velmora-cli: %1\n").arg(CliFailureText(storable.failure())));
        return 2;
    }

    output.print(BatchSummaryHeader(options));
    StormSession session;
    session.setOptions(options);
    bool anyFailed = false;
    for (std::size_t i = 0; i < storms.count(); ++i) {
        if (BatchStopRequested) {
            output.printFailure(
                Failure::Error(QStringLiteral("批量计算被中断：完成了%1个雨型，其余%2个没有计算")
                                   .arg(i)
                                   .arg(storms.count() - i)));
            return 1;
        }
        const TExpressionObject storm = storms.at(i);
        Status done = session.newStorm(storm);
        if (done && request.outDir)
            done = WriteIntoFolder(request, session, reportChart);
        if (!done) {
            output.printFailure(StormFailure(StormName(storm), done.failure()));
            anyFailed = true;
            continue;
        }
        output.print(SummaryLine(session));
    }
    return anyFailed ? 1 : 0;
}

} // namespace velmora::cli
