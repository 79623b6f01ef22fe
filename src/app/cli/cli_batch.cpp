#include "cli_batch.h"

#include "cli_output.h"
#include "display_text.h"
#include "export_names.h"
#include "number_text.h"
#include "storm_file.h"
#include "storm_session.h"

#include <QDir>
#include <QFileInfo>
#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <deque>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

namespace velmora::cli {

namespace {

const QChar Dot = QLatin1Char('.');
const QString LineEnd = QStringLiteral("\r\n");

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

QString FilePathInFolder(const CliRequest& request, const TExpressionObject& storm) {
    return QDir(*request.outDir).filePath(ProposedName(request, storm));
}

bool IsReport(const CliRequest& request) {
    return !request.stormFormat && request.format == ExportFormat::Report;
}

#ifdef Q_OS_WIN
// Under Wine, a batch whose reports were written on the pool's threads hangs
// at its end in about two runs of three: every file and line is out, the
// pool's threads have ended, and the process stops in the DLL_PROCESS_DETACH
// of MinGW's libstdc++-6.dll (a trace of the loader, WINEDEBUG=+module). A
// batch whose threads never ran a task ends every time, so on Windows the
// reports are written one by one.
constexpr bool ReportsOnOtherThreads = false;
#else
constexpr bool ReportsOnOtherThreads = true;
#endif

// The writing of one storm's file into the batch's folder: without --force
// only under a free name, with it over whatever has the name, as a name.
Result<FileWriting> WritingIntoFolder(const CliRequest& request, StormSession& session,
                                      const QString& path, const ReportChartPainter& reportChart) {
    const QFileInfo target(path);
    // Known before the storm's file is made in the usual case; the write decides in every case.
    if (!request.force && (target.exists() || target.isSymLink()))
        return Failure{NameTakenMessage(path)};
    const Result<FileWriting> writing = StormOutputWriting(
        request, session, path, request.force ? ExistingFile::ReplaceName : ExistingFile::Keep,
        reportChart);
    if (!writing)
        return writing.failure();
    return FileWriting([write = *writing, path]() -> Status {
        const Status written = write();
        if (!written && written.failure().kind == FailureKind::NameTaken)
            return Failure{NameTakenMessage(path)};
        return written;
    });
}

// The outcome of a file's writing, waited for; an exception of the task (its
// memory exhausted) is thrown again here, as it was thrown there.
Status WrittenOutcome(QFuture<Status>& written) {
    try {
        return written.result();
    } catch (const QUnhandledException& unhandled) {
        if (unhandled.exception())
            std::rethrow_exception(unhandled.exception());
        throw;
    }
}

// The lines of the batch on standard output and standard error, each storm's
// summary line or its failure. A report takes longer to encode, build and
// write than the next storm takes to compute and draw, so its file is written
// on another thread, two at a time, and its line waits for it: the lines come
// in the storms' order all the same.
class BatchLines {
public:
    explicit BatchLines(CliOutput& output) : output_(output) {
        pool_.setMaxThreadCount(static_cast<int>(MaxFilesInFlight));
    }

    // The storm's line now, after the lines of the storms before it.
    void say(const TExpressionObject& storm, const Status& done, const QString& summary) {
        finishFiles(0);
        sayOne(storm, done, summary);
    }

    // The storm's line once `writing` has written its file at `path`. A
    // report is written on another thread; a file of the same name waits for
    // the one before it, as when the files are written one by one.
    void sayWhenWritten(const TExpressionObject& storm, const FileWriting& writing,
                        const QString& path, const QString& summary, bool onAnotherThread) {
        const bool sameName =
            std::any_of(inFlight_.begin(), inFlight_.end(),
                        [&](const FileInFlight& file) { return file.path == path; });
        finishFiles(sameName ? 0 : MaxFilesInFlight - 1);
        inFlight_.push_back(FileInFlight{onAnotherThread ? QtConcurrent::run(&pool_, writing)
                                                         : QtFuture::makeReadyFuture(writing()),
                                         storm, path, summary});
    }

    // Waits until at most `keep` files are being written, saying their lines.
    void finishFiles(std::size_t keep) {
        for (; inFlight_.size() > keep; inFlight_.pop_front()) {
            FileInFlight& oldest = inFlight_.front();
            oldest.taken = true;
            sayOne(oldest.storm, WrittenOutcome(oldest.written), oldest.summary);
        }
    }

    // After a failure that ends the batch (memory exhausted, on this thread
    // or in a task): the lines of the files written before it, in order, and
    // no more; every file still being written is waited for.
    void finishAfterFailure() noexcept {
        bool saying = true;
        for (; !inFlight_.empty(); inFlight_.pop_front()) {
            FileInFlight& oldest = inFlight_.front();
            try {
                // A task whose outcome was taken is the one that failed.
                saying = saying && !oldest.taken;
                const Status written = WrittenOutcome(oldest.written);
                if (saying)
                    sayOne(oldest.storm, written, oldest.summary);
            } catch (...) {
                saying = false;
            }
        }
    }

    bool anyFailed() const { return anyFailed_; }

private:
    static constexpr std::size_t MaxFilesInFlight = 2;

    struct FileInFlight {
        QFuture<Status> written;
        TExpressionObject storm;
        QString path;
        QString summary;
        bool taken = false; // its outcome was asked for
    };

    void sayOne(const TExpressionObject& storm, const Status& done, const QString& summary) {
        if (done) {
            output_.print(summary);
            return;
        }
        output_.printFailure(StormFailure(StormName(storm), done.failure()));
        anyFailed_ = true;
    }

    // The batch's own threads, ended when the batch ends (after the files in
    // flight, which are declared after it), not when the program exits.
    QThreadPool pool_;
    CliOutput& output_;
    std::deque<FileInFlight> inFlight_;
    bool anyFailed_ = false;
};

// The batch's storms one after the other, each said when its file is
// written; 1 when one failed or the batch was stopped.
int RunStorms(const CliRequest& request, const RequestStorms& storms, StormSession& session,
              BatchLines& lines, CliOutput& output, const ReportChartPainter& reportChart) {
    for (std::size_t i = 0; i < storms.count(); ++i) {
        if (BatchStopRequested) {
            lines.finishFiles(0);
            output.printFailure(
                Failure::Error(QStringLiteral("批量计算被中断：完成了%1个雨型，其余%2个没有计算")
                                   .arg(i)
                                   .arg(storms.count() - i)));
            return 1;
        }
        const TExpressionObject storm = storms.at(i);
        const Status computed = session.newStorm(storm);
        if (!computed || !request.outDir) {
            lines.say(storm, computed, computed ? SummaryLine(session) : QString());
            continue;
        }
        const QString path = FilePathInFolder(request, session.storm());
        const Result<FileWriting> writing = WritingIntoFolder(request, session, path, reportChart);
        if (!writing)
            lines.say(storm, writing.failure(), QString());
        else
            lines.sayWhenWritten(storm, *writing, path, SummaryLine(session),
                                 ReportsOnOtherThreads && IsReport(request));
    }
    lines.finishFiles(0);
    return lines.anyFailed() ? 1 : 0;
}

} // namespace

QString BatchSummaryHeader(const TOptions& options) {
    // As the CSV header: any unit other than 0 is mm/min, any time format other than 0 minutes.
    return QStringLiteral("P(年),T(min),r,步长(min),H(mm),平均雨强(%1),峰值雨强(%1),峰值时间(%2)")
               .arg(ComputedIntensityUnit(options.Int_StormUnitidx),
                    TimeUnitText(options.Int_TimeForamtidx)) +
           LineEnd;
}

static_assert(std::atomic<bool>::is_always_lock_free); // set from a signal handler
std::atomic<bool> BatchStopRequested = false;

int RunBatch(const CliRequest& request, const TExpressionObject& base, CliOutput& output,
             const ReportChartPainter& reportChart) {
    const TOptions options = RequestOptions(request);
    const RequestStorms storms(request, base, options.D_QI_ConversionRatio);
    // Every storm is checked before the first is computed, as one storm is.
    if (const Status storable = storms.checkStorable(); !storable) {
        output.printProgramFailure(storable.failure());
        return 2;
    }

    output.print(BatchSummaryHeader(options));
    StormSession session;
    session.setOptions(options);
    BatchLines lines(output);
    try {
        return RunStorms(request, storms, session, lines, output, reportChart);
    } catch (...) {
        lines.finishAfterFailure();
        throw;
    }
}

} // namespace velmora::cli
