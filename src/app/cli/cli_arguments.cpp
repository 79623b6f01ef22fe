#include "cli_arguments.h"

#include "design_values.h"
#include "foreign_text.h"
#include "number_text.h"
#include "options_file.h"
#include "storm_comparison.h"

#include <QFileInfo>
#include <QSet>

#include <functional>
#include <map>

namespace velmora::cli {

namespace {

std::optional<QString> SetNumber(const QString& flag, const QString& text, double& field) {
    const auto value = ParseDecimalNumber(text, QLatin1Char('.'));
    if (!value)
        return QStringLiteral("%1 需要一个数字，而不是“%2”").arg(flag, QuotedForeignText(text));
    field = *value;
    return std::nullopt;
}

std::optional<QString> SetWhole(const QString& flag, const QString& text, std::int32_t& field,
                                int lowest, int highest) {
    const auto value = ParseInteger(text);
    if (!value || *value < lowest || *value > highest)
        return QStringLiteral("%1 需要%2到%3之间的整数，而不是“%4”")
            .arg(flag)
            .arg(lowest)
            .arg(highest)
            .arg(QuotedForeignText(text));
    field = *value;
    return std::nullopt;
}

std::optional<QString> SetChoice(const QString& flag, const QString& text,
                                 const QStringList& choices, std::int32_t& field) {
    const auto index = choices.indexOf(text);
    if (index < 0)
        return QStringLiteral("%1 只能是 %2，而不是“%3”")
            .arg(flag, choices.join(QLatin1Char('|')), QuotedForeignText(text));
    field = static_cast<std::int32_t>(index);
    return std::nullopt;
}

// The display flags given one by one; they win over an options file.
struct DisplayOverrides {
    std::optional<std::int32_t> unit;
    std::optional<std::int32_t> timeFormat;
    std::optional<std::int32_t> decimals;
    std::optional<double> qiRatio;
    bool calcByShow = false;
    bool intervalAverage = false;

    void applyTo(TOptions& options) const {
        if (unit)
            options.Int_StormUnitidx = *unit;
        if (timeFormat)
            options.Int_TimeForamtidx = *timeFormat;
        if (decimals)
            options.Int_Precision = *decimals;
        if (qiRatio)
            options.D_QI_ConversionRatio = *qiRatio;
        if (calcByShow)
            options.Bool_CalcByShow = true;
        if (intervalAverage)
            options.Bool_IntervalAverage = true;
    }
};

// Everything the flags set, before the options are put together.
struct PendingRequest {
    CliRequest request;
    std::optional<QString> optionsFile;
    DisplayOverrides display;
};

// Parses into a fresh value and keeps it only when it was read without error.
template <typename T, typename Parse>
std::optional<QString> ParseInto(std::optional<T>& field, const Parse& parse) {
    T value{};
    auto error = parse(value);
    if (!error)
        field = value;
    return error;
}

using ValueHandler =
    std::function<std::optional<QString>(const QString& flag, const QString& text)>;

ValueHandler NumberInto(std::optional<double>& field) {
    return [&field](const QString& flag, const QString& text) {
        return ParseInto(field, [&](double& value) { return SetNumber(flag, text, value); });
    };
}

// A design value the storm cannot have: "--r 1.5：峰值比例只能取值(0~1)之间，不包括0和1".
std::optional<QString> Refused(const QString& flag, const QString& text, const Status& check) {
    if (check)
        return std::nullopt;
    return QStringLiteral("%1 %2：%3").arg(flag, QuotedForeignText(text), check.message());
}

using DesignValueCheck = Status (*)(double);

// One number, or several separated by "," (a batch); the first is also kept
// as the single value. A value given twice would name the same files, and
// each must be a value a storm can have.
ValueHandler NumberListInto(std::optional<double>& single, std::vector<double>& all,
                            DesignValueCheck check) {
    return
        [&single, &all, check](const QString& flag, const QString& text) -> std::optional<QString> {
            const QStringList parts = text.split(QLatin1Char(','));
            std::vector<double> values;
            QSet<QString> seen; // a list of thousands is checked at once
            for (const QString& part : parts) {
                double value = 0;
                if (auto error = SetNumber(flag, part, value))
                    return parts.size() == 1 ? error
                                             : QStringLiteral("%1 需要用“,”分隔的数字，而不是“%2”")
                                                   .arg(flag, QuotedForeignText(text));
                const QString shown = GeneralNumberText(value, QLatin1Char('.'));
                if (auto refused = Refused(flag, part, check(value)))
                    return refused;
                if (seen.contains(shown))
                    return QStringLiteral("%1 中的 %2 重复了").arg(flag, shown);
                seen.insert(shown);
                values.push_back(value);
            }
            single = values.front();
            all = std::move(values);
            return std::nullopt;
        };
}

ValueHandler ReadableFileInto(std::optional<QString>& field) {
    return [&field](const QString&, const QString& text) -> std::optional<QString> {
        const QFileInfo file(text);
        if (!file.isFile() || !file.isReadable())
            return QStringLiteral("无法读取文件“%1”").arg(QuotedForeignText(text));
        field = text;
        return std::nullopt;
    };
}

std::map<QString, ValueHandler> ValueFlags(PendingRequest& pending) {
    StormEdits& storm = pending.request.storm;
    DisplayOverrides& display = pending.display;
    return {
        {QStringLiteral("--a1"), NumberInto(storm.coefficient)},
        {QStringLiteral("--c"), NumberInto(storm.c)},
        {QStringLiteral("--b"), NumberInto(storm.b)},
        {QStringLiteral("--n"), NumberInto(storm.n)},
        {QStringLiteral("--P"),
         NumberListInto(storm.repeatYear, pending.request.repeatYears, CheckRepeatYear)},
        {QStringLiteral("--T"),
         NumberListInto(storm.time, pending.request.durations, CheckDuration)},
        {QStringLiteral("--r"),
         NumberListInto(storm.percent, pending.request.peakRatios, CheckPeakRatio)},
        {QStringLiteral("--step"),
         [&storm](const QString& flag, const QString& text) {
             return ParseInto(storm.step, [&](std::int32_t& value) {
                 if (auto error = SetWhole(flag, text, value, INT32_MIN, INT32_MAX))
                     return error;
                 return Refused(flag, text, CheckStep(value));
             });
         }},
        {QStringLiteral("--options"), ReadableFileInto(pending.optionsFile)},
        {QStringLiteral("--storm"), ReadableFileInto(pending.request.stormFile)},
        {QStringLiteral("--write-storm"),
         [&pending](const QString& flag, const QString& text) -> std::optional<QString> {
             if (text.isEmpty())
                 return QStringLiteral("%1 需要一个文件名").arg(flag);
             pending.request.writeStormFile = text;
             return std::nullopt;
         }},
        {QStringLiteral("--format"),
         [&pending](const QString& flag, const QString& text) -> std::optional<QString> {
             std::int32_t value = 0;
             if (auto error = SetChoice(flag, text,
                                        {QStringLiteral("csv"), QStringLiteral("swmm"),
                                         QStringLiteral("docx"), QStringLiteral("report"),
                                         QStringLiteral("xlsx"), QStringLiteral("storm"),
                                         QStringLiteral("png")},
                                        value))
                 return error;
             const ExportFormat formats[] = {ExportFormat::Csv, ExportFormat::Swmm,
                                             ExportFormat::WordTable, ExportFormat::Report,
                                             ExportFormat::Workbook};
             CliRequest& request = pending.request;
             request.formatGiven = true;
             request.stormFormat = value == 5;
             request.pictureFormat = value == 6;
             request.format = value >= 5 ? ExportFormat::Csv : formats[value];
             return std::nullopt;
         }},
        {QStringLiteral("--out"),
         [&pending](const QString& flag, const QString& text) -> std::optional<QString> {
             if (text.isEmpty())
                 return QStringLiteral("%1 需要一个文件名").arg(flag);
             pending.request.outFile = text;
             return std::nullopt;
         }},
        {QStringLiteral("--update-server"),
         [&pending](const QString& flag, const QString& text) -> std::optional<QString> {
             const QUrl address(text, QUrl::StrictMode);
             if (!address.isValid() || address.host().isEmpty() ||
                 (address.scheme() != QLatin1String("http") &&
                  address.scheme() != QLatin1String("https")))
                 return QStringLiteral("%1 需要一个 http 或 https 地址，而不是“%2”")
                     .arg(flag, QuotedForeignText(text));
             pending.request.updateServer = address;
             return std::nullopt;
         }},
        {QStringLiteral("--out-dir"),
         [&pending](const QString&, const QString& text) -> std::optional<QString> {
             if (!QFileInfo(text).isDir())
                 return QStringLiteral("“%1”不是文件夹").arg(QuotedForeignText(text));
             pending.request.outDir = text;
             return std::nullopt;
         }},
        {QStringLiteral("--unit"),
         [&display](const QString& flag, const QString& text) {
             return ParseInto(display.unit, [&](std::int32_t& value) {
                 return SetChoice(flag, text, {QStringLiteral("mm/h"), QStringLiteral("mm/min")},
                                  value);
             });
         }},
        {QStringLiteral("--time"),
         [&display](const QString& flag, const QString& text) {
             return ParseInto(display.timeFormat, [&](std::int32_t& value) {
                 return SetChoice(flag, text, {QStringLiteral("hm"), QStringLiteral("min")}, value);
             });
         }},
        {QStringLiteral("--decimals"),
         [&display](const QString& flag, const QString& text) {
             return ParseInto(display.decimals, [&](std::int32_t& value) {
                 return SetWhole(flag, text, value, 0, 99);
             });
         }},
        {QStringLiteral("--qi-ratio"),
         [&display](const QString& flag, const QString& text) -> std::optional<QString> {
             double value = 0;
             if (auto error = SetNumber(flag, text, value))
                 return error;
             if (!(value > 0))
                 return QStringLiteral("%1 需要大于0的系数，而不是“%2”")
                     .arg(flag, QuotedForeignText(text));
             display.qiRatio = value;
             return std::nullopt;
         }},
    };
}

// A flag without a value; false when there is no such flag.
bool SetSwitch(const QString& flag, PendingRequest& pending) {
    if (flag == QLatin1String("--ln"))
        pending.request.storm.naturalLog = true;
    else if (flag == QLatin1String("--flow"))
        pending.request.storm.flow = true;
    else if (flag == QLatin1String("--calc-by-show"))
        pending.display.calcByShow = true;
    else if (flag == QLatin1String("--interval-average"))
        pending.display.intervalAverage = true;
    else if (flag == QLatin1String("--force"))
        pending.request.force = true;
    else if (flag == QLatin1String("--totals"))
        pending.request.totals = true;
    else if (flag == QLatin1String("--idf-check"))
        pending.request.idfCheck = true;
    else if (flag == QLatin1String("--compare"))
        pending.request.compare = true;
    else if (flag == QLatin1String("--help") || flag == QLatin1String("-h"))
        pending.request.help = true;
    else if (flag == QLatin1String("--version"))
        pending.request.version = true;
    else if (flag == QLatin1String("--check-update"))
        pending.request.checkUpdate = true;
    else
        return false;
    return true;
}

// Combinations that cannot give what they ask for.
std::optional<QString> RefusedCombination(const CliRequest& request) {
    if (request.updateServer && !request.checkUpdate)
        return QStringLiteral("--update-server 要与 --check-update 一起使用");
    if (request.force && !request.outDir)
        return QStringLiteral("--force 只用于 --out-dir");
    if (request.idfCheck &&
        (request.isBatch() || request.formatGiven || request.totals || request.writeStormFile))
        return QStringLiteral("--idf-check 只用于一个雨型，不能与 --P/--T "
                              "列表、--out-dir、--format、--totals 或 --write-storm 一起使用");
    if (request.peakRatios.size() > 1 && !request.compare)
        return QStringLiteral("--r 的多个值只用于 --compare");
    if (request.compare) {
        if (request.outDir || request.writeStormFile || request.totals || request.idfCheck ||
            request.stormFormat)
            return QStringLiteral(
                "--compare 写出一个对比文件，不能与 "
                "--out-dir、--write-storm、--totals、--idf-check 或 --format storm 一起使用");
        if (request.format != ExportFormat::Csv && request.format != ExportFormat::Swmm &&
            request.format != ExportFormat::Workbook)
            return QStringLiteral("--compare 的 --format 只能是 csv、swmm、png 或 xlsx");
        if ((request.pictureFormat || request.format == ExportFormat::Workbook) && !request.outFile)
            return QStringLiteral("--compare 的 png 和 xlsx 需要 --out 文件");
        if (const std::size_t storms = request.stormCount(); storms > MaxComparedStorms)
            return QStringLiteral("--P、--T 和 --r 组合出 %1 个雨型，一次最多可以对比 %2 个")
                .arg(storms)
                .arg(MaxComparedStorms);
        return std::nullopt;
    }
    if (request.pictureFormat)
        return QStringLiteral("--format png 只用于 --compare");
    if (request.isBatch()) {
        if (const std::size_t storms = request.stormCount(); storms > MaxBatchStorms)
            return QStringLiteral("--P 和 --T 组合出 %1 个雨型，一次最多可以计算 %2 个")
                .arg(storms)
                .arg(MaxBatchStorms);
        if (request.outFile)
            return QStringLiteral("--out 只能指定一个文件：多个雨型请用 --out-dir 文件夹");
        if (request.writeStormFile)
            return QStringLiteral(
                "--write-storm 只能指定一个文件：多个雨型请用 --format storm --out-dir 文件夹");
        if (request.totals)
            return QStringLiteral("--totals 只用于一个雨型的表格：多个雨型只输出汇总");
        if (request.formatGiven && !request.outDir)
            return QStringLiteral("多个雨型的 --format 需要 --out-dir 文件夹");
        return std::nullopt;
    }
    if (request.stormFormat && (!request.outFile || request.writeStormFile))
        return QStringLiteral("--format storm 需要 --out 文件（或用 --write-storm 文件）");
    if (request.stormFormat && request.totals)
        return QStringLiteral("--totals 只用于 csv 和 swmm");
    if (IsOfficeDocument(request.format) && !request.outFile)
        return QStringLiteral("--format docx、report 和 xlsx 需要 --out 文件");
    if (IsOfficeDocument(request.format) && request.totals)
        return QStringLiteral("--totals 只用于 csv 和 swmm");
    return std::nullopt;
}

Result<CliRequest> Assemble(PendingRequest& pending) {
    CliRequest& request = pending.request;
    if (pending.optionsFile) {
        // Options that could not be read are not silently the defaults.
        const Result<QByteArray> read = ReadOptionsFile(*pending.optionsFile);
        if (!read)
            return Failure::Error(read.message());
        request.options = OptionsFromBytes(*read, UserDecimalSeparator());
    }
    pending.display.applyTo(request.options);
    request.qiRatioGiven = pending.display.qiRatio.has_value();
    if (request.stormFormat && !request.isBatch())
        request.writeStormFile = request.outFile;
    return request;
}

} // namespace

void StormEdits::applyTo(TExpressionObject& storm, double qiRatio, bool qiRatioGiven) const {
    const auto set = [](auto& field, const auto& value) {
        if (value)
            field = *value;
    };
    set(storm.c, c);
    set(storm.b, b);
    set(storm.n, n);
    set(storm.Storm_RepeatYear, repeatYear);
    set(storm.Storm_Time, time);
    set(storm.Storm_Percent, percent);
    set(storm.Storm_Step, step);
    if (naturalLog)
        storm.LG_LN = NaturalLogarithm;
    if (flow) {
        storm.a1_167 = coefficient.value_or(
            storm.F_type == FlowForm ? storm.a1_167 : ConvertIToQ(storm.a1, qiRatio));
        storm.F_type = FlowForm;
    } else if (coefficient) {
        storm.F_type = IntensityForm;
        storm.a1 = *coefficient;
    }
    if (flow || coefficient || qiRatioGiven)
        DeriveDependentCoefficient(storm, qiRatio);
}

Result<QStringList> DecodeArguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        QString text = QString::fromLocal8Bit(bytes);
        if (text.toLocal8Bit() != bytes)
            return Failure{
                QStringLiteral("参数“%1”中有不属于系统字符编码的字节，无法准确使用这个名字："
                               "请先把文件改名（例如改为UTF-8编码的名字）")
                    .arg(QuotedForeignText(text))};
        arguments << std::move(text);
    }
    return arguments;
}

Result<CliRequest> ParseCliArguments(const QStringList& arguments) {
    PendingRequest pending;
    const auto valueFlags = ValueFlags(pending);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString flag = arguments[i];
        std::optional<QString> inlineValue; // --flag=value
        if (const auto equals = flag.indexOf(QLatin1Char('='));
            flag.startsWith(QLatin1String("--")) && equals > 0) {
            inlineValue = flag.mid(equals + 1);
            flag.truncate(equals);
        }
        if (const auto handler = valueFlags.find(flag); handler != valueFlags.end()) {
            if (!inlineValue && i + 1 >= arguments.size())
                return Failure{QStringLiteral("%1 需要一个值").arg(flag)};
            const QString value = inlineValue ? *inlineValue : arguments[++i];
            if (const auto error = handler->second(flag, value))
                return Failure{*error};
        } else if (inlineValue) {
            return Failure{QStringLiteral("%1 不带值").arg(flag)};
        } else if (!SetSwitch(flag, pending)) {
            return Failure{QStringLiteral("不认识的参数“%1”").arg(QuotedForeignText(flag))};
        }
    }
    if (const auto refused = RefusedCombination(pending.request))
        return Failure{*refused};
    return Assemble(pending);
}

QString CliHelpText() {
    return CliUsageLine + QStringLiteral(R"(

Computes a Chicago design-storm hyetograph and prints it as CSV (UTF-8, CR LF
line ends): a header line and one line per row, time, intensity and
cumulative rainfall, written as the result table shows them.

Storm (defaults: the storm the program starts with, or the one read with --storm):
  --storm FILE    start from the storm in a storm file (.txt) instead
  --a1 X          A1 of i = A1(1+C lgP)/(t+b)^n, or with --flow the coefficient
                  "166.7A1" of the flow form; the other one is derived with the q-i
                  factor (also when --flow or --qi-ratio is given)
  --flow          the formula is given in the flow form q (L/(s·hm²))
  --c X, --b X, --n X   C, b and n of the formula
  --ln            use ln P instead of lg P
  --P X[,X...]    return period, years (2); several values make a batch
  --T X[,X...]    duration, minutes (120); several values make a batch
  --r X[,X...]    peak-position ratio, 0 < r < 1 (0.4); several only with --compare
  --step N        step of the table, whole minutes (1)
  --write-storm FILE    write the storm as a storm file (code page 936) instead
                  of printing its table

Display (defaults: minutes, mm/min, 4 decimals; the user's own options file is
never read unless given with --options):
  --options FILE  read the options from an options file first
  --unit mm/h|mm/min   intensity unit
  --decimals N    number of decimals, 0 to 99
  --time hm|min   time as hours:minutes or as minutes
  --calc-by-show  sum the displayed (rounded) intensities
  --interval-average    rows one step apart, each the mean intensity of its
                  step (the rain from its time to the next row's), so that the
                  rows times the step add up to H; a last step that runs past
                  the storm counts its missing minutes as dry
  --qi-ratio X    q-i factor (167, 166.7, …; below 166 means exact, 1000/6)

  --format csv|swmm|docx|report|xlsx|storm|png    the table as the CSV export
                  writes it (default), as the SWMM rainfall file (hours:minutes
                  and mm/h, "." as separator), as the Word table (docx), as the
                  calculation report with its chart (report), as the Excel
                  workbook with its chart (xlsx) or the storm file itself
                  (storm); docx, report, xlsx and storm need --out or --out-dir;
                  png, the chart as a picture, is for --compare only
  --out FILE      write to FILE in code page 936, as the program's exports do
  --totals        add the total rainfall H and the average intensity
  --compare       with lists for --P, --T and --r: every combination as one
                  comparison instead of one file per storm, at most 8 storms.
                  csv: the time column (every minute any storm has) and one
                  intensity column per storm headed "P=…年 T=…分 r=…", empty
                  where that storm has no row; swmm: a [TIMESERIES] section
                  with one series per storm (P2_T120_r0.4: hours:minutes, mm/h)
                  and a commented [RAINGAGES] line for each; png (with --out):
                  the chart with every storm's line, the last storm shown
                  with its bars; xlsx (with --out): the workbook of the last
                  storm with the comparison on 雨型数据2 and in its chart
  --idf-check     instead of the table, check the storm against its formula:
                  for durations of 5, 10, 15, 20, 30, 45, 60, 90, 120, … 10080
                  minutes below T and for T, the heaviest rain of that many
                  consecutive minutes against the formula's depth
                  A·d/(d+b)^n, and their difference in per cent (CSV, "."
                  as separator; with --out in code page 936 with CR LF)
  --help, -h      show this text

  --version       print the program's version
  --check-update  ask the maker's server whether a newer version exists, as
                  the window's "检查更新..." does, and print the answer: the
                  new version, its notes and the address of its page, or
                  "已经是最新版本了"; exits with 0. A failed check prints
                  "出错：" and the reason and exits with 1 (both on standard
                  output, like the answer). No answer within 10 s counts as
                  failed.
  --update-server URL   ask this server (http or https, its host and port)
                  instead of the maker's

Several storms (a list for --P or --T, or --out-dir): every combination of
the return periods and durations on the same formula and options. One CSV line
per storm is printed (UTF-8, CR LF, "." as separator, a header line first): P,
T, r, step, H, average intensity, peak intensity and the time of the peak, as
the table shows them. A storm that fails prints "出错：" with its P and T and
the reason on standard error; the others still run, and the exit code is 1.
  --out-dir DIR   also write each storm's file into the folder DIR, named as
                  the program proposes for that export (a storm file: as its
                  picture, with .txt); existing files are left alone and count
                  as failed
  --force         replace existing files in DIR

Numbers are written with "." on the command line. A failed computation prints
"出错：" and the reason on standard error and exits with 1; bad arguments exit
with 2.
)");
}

} // namespace velmora::cli
