#include "cli_batch.h"

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

// The storms of the batch, or why one of them could not be kept in a storm file.
Result<std::vector<TExpressionObject>> BatchStorms(const CliRequest& request, const TExpressionObject& base,
                                                   double qiRatio) {
    const auto valuesOf = [](const std::vector<double>& given) {
        std::vector<std::optional<double>> values(given.begin(), given.end());
        if (values.empty())
            values.push_back(std::nullopt); // the base storm's own value
        return values;
    };
    std::vector<TExpressionObject> storms;
    for (const std::optional<double>& repeatYear : valuesOf(request.repeatYears)) {
        for (const std::optional<double>& time : valuesOf(request.durations)) {
            StormEdits edits = request.storm;
            if (repeatYear)
                edits.repeatYear = repeatYear;
            if (time)
                edits.time = time;
            TExpressionObject storm = base;
            edits.applyTo(storm, qiRatio, request.qiRatioGiven);
            if (const Status storable = CheckStormFileValues(storm, UserDecimalSeparator()); !storable)
                return Failure{storable.message()};
            storms.push_back(storm);
        }
    }
    return storms;
}

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
        return ProposedDataFileName(storm, QString::fromLatin1(ExportExtension(request.format)), separator);
    case ExportFormat::WordTable:
        return ProposedWordDataFileName(storm, separator);
    case ExportFormat::Report:
        return ProposedCalculationReportFileName(storm, separator);
    case ExportFormat::Workbook:
        return ProposedExcelWorkbookFileName(storm, separator);
    }
    return {};
}

// One line on standard error: "出错：", the storm, and the reason on one line.
QByteArray FailureLine(const TExpressionObject& storm, QString reason) {
    const QString prefix = QStringLiteral("出错：");
    if (reason.startsWith(prefix))
        reason.remove(0, prefix.size());
    reason.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return (prefix + QStringLiteral("P=%1年 T=%2分：").arg(GeneralNumberText(storm.Storm_RepeatYear, Dot),
                                                         GeneralNumberText(storm.Storm_Time, Dot)) +
            reason + QLatin1Char('\n'))
        .toUtf8();
}

} // namespace

TOptions RequestOptions(const CliRequest& request) {
    if (!request.stormFormat && request.format == ExportFormat::Swmm)
        return WithSwmmUnits(request.options);
    return request.options;
}

Status WriteStormOutput(const CliRequest& request, StormSession& session, const QString& path,
                        const ReportChartPainter& reportChart) {
    if (request.stormFormat)
        return session.saveStormFile(path);
    if (request.format != ExportFormat::Report)
        return session.writeExport(request.format, path);
    if (!reportChart)
        return Failure{QStringLiteral("出错：无法绘制曲线图")};
    const Result<QByteArray> chart = reportChart(session);
    if (!chart)
        return Failure{chart.message()};
    return session.writeReport(path, *chart);
}

QString BatchSummaryHeader(const TOptions& options) {
    // As the CSV header: any unit other than 0 is mm/min, any time format other than 0 minutes.
    const QString unit = options.Int_StormUnitidx == 0 ? QStringLiteral("mm/h") : QStringLiteral("mm/min");
    const QString time = options.Int_TimeForamtidx == 0 ? QStringLiteral("H:M") : QStringLiteral("min");
    return QStringLiteral("P(年),T(min),r,步长(min),H(mm),平均雨强(%1),峰值雨强(%1),峰值时间(%2)")
               .arg(unit, time) +
           LineEnd;
}

int RunBatch(const CliRequest& request, const TExpressionObject& base, QByteArray& out,
             QByteArray& err, const ReportChartPainter& reportChart) {
    const TOptions options = RequestOptions(request);
    // Every storm is checked before the first is computed, as one storm is.
    const Result<std::vector<TExpressionObject>> storms =
        BatchStorms(request, base, options.D_QI_ConversionRatio);
    if (!storms) {
        err += QStringLiteral("velmora-cli: %1\n").arg(storms.message()).toUtf8();
        return 2;
    }

    out += BatchSummaryHeader(options).toUtf8();
    StormSession session;
    session.setOptions(options);
    bool anyFailed = false;
    for (const TExpressionObject& storm : *storms) {
        const auto fail = [&](const QString& reason) {
            err += FailureLine(storm, reason);
            anyFailed = true;
        };
        if (const Status computed = session.newStorm(storm); !computed) {
            fail(computed.message());
            continue;
        }
        if (request.outDir) {
            const QString path = QDir(*request.outDir).filePath(ProposedName(request, storm));
            const QFileInfo target(path);
            if (!request.force && (target.exists() || target.isSymLink())) {
                fail(QStringLiteral("文件“%1”已存在，没有覆盖（覆盖请加 --force）").arg(path));
                continue;
            }
            if (const Status written = WriteStormOutput(request, session, path, reportChart); !written) {
                fail(written.message());
                continue;
            }
        }
        out += SummaryLine(session).toUtf8();
    }
    return anyFailed ? 1 : 0;
}

} // namespace velmora::cli
