#include "storm_session.h"

#include "atomic_file.h"
#include "calculation_report.h"
#include "csv_text.h"
#include "excel_workbook.h"
#include "number_text.h"
#include "options_file.h"
#include "picture_encoders.h"
#include "storm_file.h"
#include "swmm_text.h"
#include "text_encoding.h"
#include "word_data_table.h"

#include <algorithm>

namespace velmora {

namespace {

// An Office document is put in place whole. When the finished document could
// not take the old one's place, that one may be open in the office program,
// which the user is told first; any other failure (a full disk) says only its
// own reason.
Status Publish(const Result<QByteArray>& bytes, const QString& path, bool officeDocument,
               ExistingFile existing) {
    if (!bytes)
        return bytes.failure();
    const Status written = WriteFileAtomically(path, *bytes, existing);
    // Shown as "出错：保存文件失败，可能是文件被占用" with the reason on the next line.
    if (!written && officeDocument && written.failure().kind == FailureKind::TargetInUse)
        return Failure::Error(QStringLiteral("保存文件失败，可能是文件被占用\r\n") +
                                  written.message(),
                              FailureKind::TargetInUse);
    return written;
}

} // namespace

StormSession::StormSession(QString optionsFileName, QObject* parent)
    : QObject(parent), storm_(DefaultStorm()), optionsFileName_(std::move(optionsFileName)) {
    readOptionsFile();
    options_ = OptionsFromBytes(optionsFileBytes_, UserDecimalSeparator());
}

void StormSession::readOptionsFile() {
    Result<QByteArray> read = ReadOptionsFile(optionsFileName_);
    optionsFileRead_ = read ? Status() : Status(read.failure());
    optionsFileBytes_ = read.value_or(QByteArray());
}

// The old table goes before the new one is computed, as the views let go of
// it: a long storm's rows and chart points are not held twice.
Status StormSession::recompute() {
    dropTable();
    Result<THyetograph> result = CalcHyetograph(storm_, options_);
    const Status computed = result ? Status() : Status(result.failure().asError());
    showComputed(std::move(result));
    return computed;
}

void StormSession::dropTable() {
    emit tableAboutToChange();
    table_.clear();
    maxRainfallIntensity_ = 0;
    maxOverallRainfall_ = 0;
}

void StormSession::showComputed(Result<THyetograph> result) {
    StoreResults(storm_, result);
    if (result)
        table_ = std::move(result->rows);
    for (const THyetographRow& row : table_) {
        maxRainfallIntensity_ = std::max(maxRainfallIntensity_, row.intensity);
        maxOverallRainfall_ = std::max(maxOverallRainfall_, row.cumulative);
    }
    emit tableChanged();
}

Status StormSession::adoptStorm(const TExpressionObject& storm, const QString& stormFile) {
    Result<THyetograph> result = CalcHyetograph(storm, options_);
    if (!result)
        return result.failure().asError();
    dropTable();
    storm_ = storm;
    currentStormFile_ = stormFile;
    showComputed(std::move(result));
    return {};
}

Status StormSession::newStorm(const TExpressionObject& entered) {
    return adoptStorm(entered, QString());
}

Status StormSession::openStormFile(const QString& path) {
    const Result<TExpressionObject> read = ReadStormFileAt(path, UserDecimalSeparator());
    if (!read)
        return read.failure();
    return adoptStorm(*read, path);
}

Status StormSession::saveStormFile(const QString& path, ExistingFile existing) const {
    const Result<QByteArray> bytes = StormFileBytes(storm_, UserDecimalSeparator());
    if (!bytes)
        return bytes.failure();
    return WriteFileAtomically(path, *bytes, existing);
}

void StormSession::setOptions(const TOptions& options) {
    options_ = options;
    emit optionsChanged();
}

Status StormSession::previewOptions(const TOptions& options) {
    const bool tableChanges = options.Int_StormUnitidx != options_.Int_StormUnitidx ||
                              options.Int_TimeForamtidx != options_.Int_TimeForamtidx ||
                              options.Int_Precision != options_.Int_Precision ||
                              options.Bool_CalcByShow != options_.Bool_CalcByShow ||
                              options.Bool_IntervalAverage != options_.Bool_IntervalAverage ||
                              options.D_QI_ConversionRatio != options_.D_QI_ConversionRatio;
    setOptions(options);
    if (!tableChanges)
        return {};
    DeriveDependentCoefficient(storm_, options_.D_QI_ConversionRatio);
    return recompute();
}

Status StormSession::saveOptions() const {
    if (optionsFileName_.isEmpty())
        return Failure::Error(QStringLiteral("无法保存设置：没有可用的设置文件夹"));
    const Status saved = SaveOptions(optionsFileName_, options_, UserDecimalSeparator());
    if (!saved)
        return saved.failure().asError();
    return {};
}

Status StormSession::reloadOptions() {
    readOptionsFile();
    setOptions(OptionsFromBytes(optionsFileBytes_, UserDecimalSeparator()));
    DeriveDependentCoefficient(storm_, options_.D_QI_ConversionRatio);
    return recompute();
}

Status StormSession::showSeries(bool overallRainfall, bool rainfallIntensity) {
    if (overallRainfall == options_.Bool_ShowAxis_Overall_Rainfall &&
        rainfallIntensity == options_.Bool_ShowAxis_Rainfall_Intensity)
        return {};
    options_.Bool_ShowAxis_Overall_Rainfall = overallRainfall;
    options_.Bool_ShowAxis_Rainfall_Intensity = rainfallIntensity;
    return saveOptions();
}

bool StormSession::usesSwmmUnits() const {
    return options_.Int_TimeForamtidx == HoursAndMinutesFormat &&
           options_.Int_StormUnitidx == MillimetresPerHour;
}

Status StormSession::switchToSwmmUnits() {
    setOptions(WithSwmmUnits(options_));
    return recompute();
}

std::vector<TResultRowTexts> StormSession::rowTexts(QChar decimalSeparator) const {
    std::vector<TResultRowTexts> rows;
    rows.reserve(table_.size());
    for (const THyetographRow& row : table_)
        rows.push_back(ResultRowTexts(row, options_, decimalSeparator));
    return rows;
}

QString StormSession::exportText(ExportFormat format) const {
    switch (format) {
    case ExportFormat::Csv:
        return CsvText(rowTexts(UserDecimalSeparator()), options_, UserDecimalSeparator());
    case ExportFormat::Swmm:
        // The rainfall model reads "." only, whatever the user's separator.
        return SwmmText(rowTexts(QLatin1Char('.')));
    case ExportFormat::WordTable:
    case ExportFormat::Report:
    case ExportFormat::Workbook:
        break;
    }
    return {};
}

Result<QByteArray> StormSession::exportBytes(ExportFormat format) const {
    switch (format) {
    case ExportFormat::Csv:
    case ExportFormat::Swmm:
        return EncodeCodePage936(exportText(format));
    case ExportFormat::WordTable:
        return WordDataTable(rowTexts(UserDecimalSeparator()), options_);
    case ExportFormat::Report:
        return Failure::Error(QStringLiteral("计算书需要曲线图片")); // see reportWriting
    case ExportFormat::Workbook: {
        // The workbook's cells are numbers: written with "." whatever the user's format.
        if (comparison_.empty())
            return ExcelChartWorkbook(rowTexts(QLatin1Char('.')), options_);
        const TComparisonTable comparison =
            ComparisonTable(comparison_, options_, QLatin1Char('.'), &table_);
        return ExcelChartWorkbook(rowTexts(QLatin1Char('.')), options_, &comparison);
    }
    }
    return Failure::Error(QStringLiteral("未知的输出格式"));
}

Status StormSession::writeExport(ExportFormat format, const QString& path,
                                 ExistingFile existing) const {
    return Publish(exportBytes(format), path, IsOfficeDocument(format), existing);
}

Status StormSession::writePicture(const QString& path, const QImage& chart) const {
    const auto format = PictureFormatOf(path);
    if (!format)
        return Failure{QStringLiteral("无法写入文件“%1”：不是图片文件的扩展名").arg(path)};
    const Result<QByteArray> bytes = EncodePicture(*format, chart);
    if (!bytes)
        return Failure{QStringLiteral("无法写入文件“%1”：%2").arg(path, bytes.message())};
    return WriteFileAtomically(path, *bytes);
}

std::function<Status()> StormSession::reportWriting(const QImage& chart, const QString& path,
                                                    ExistingFile existing) const {
    const QChar separator = UserDecimalSeparator();
    return [storm = storm_, options = options_, rows = rowTexts(separator), separator,
            compared = ComparedStormLegends(comparison_, separator), chart, path, existing] {
        const Result<QByteArray> png = EncodePng(chart);
        if (!png)
            return Status(png.failure());
        return Publish(CalculationReport(storm, options, rows, *png, separator, compared), path,
                       true, existing);
    };
}

TComparedStorm StormSession::currentAsCompared() const {
    return {storm_,
            options_.Int_StormUnitidx == MillimetresPerHour ? MillimetresPerHour
                                                            : MillimetresPerMinute,
            table_, options_.Bool_IntervalAverage};
}

bool StormSession::currentStormCompared() const {
    if (table_.empty())
        return false;
    const TComparedStorm current = currentAsCompared();
    return std::any_of(
        comparison_.cbegin(), comparison_.cend(),
        [&current](const TComparedStorm& kept) { return SameComparedStorm(kept, current); });
}

Status StormSession::addToComparison() {
    if (table_.empty())
        return Failure{NoStormToCompareMessage};
    if (currentStormCompared())
        return Failure{AlreadyComparedMessage};
    if (comparison_.size() >= MaxComparedStorms)
        return Failure{ComparisonFullMessage};
    comparison_.push_back(currentAsCompared());
    emit comparisonChanged();
    return {};
}

void StormSession::clearComparison() {
    if (comparison_.empty())
        return;
    comparison_.clear();
    emit comparisonChanged();
}

QString StormSession::comparisonCsvText() const {
    return ComparisonCsvText(comparison_, options_, UserDecimalSeparator());
}

Status StormSession::writeComparisonCsv(const QString& path, ExistingFile existing) const {
    if (comparison_.empty())
        return Failure{EmptyComparisonMessage};
    return WriteFileAtomically(path, EncodeCodePage936(comparisonCsvText()), existing);
}

} // namespace velmora
