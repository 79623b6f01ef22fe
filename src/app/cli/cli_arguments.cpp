#include "cli_arguments.h"

#include "cli_flags.h"

#include "foreign_text.h"
#include "number_text.h"
#include "options_file.h"
#include "storm_comparison.h"

#ifdef Q_OS_WIN
#include "platform_windows.h"
#endif

namespace velmora::cli {

namespace {

Failure Refusal(const QString& text) {
    return Failure{text};
}

// --into-swmm writes storms into a model and nothing else.
Status RefusedModelCombination(const CliRequest& request) {
    const QString gageFlag =
        request.gageName ? QStringLiteral("--gage-name") : QStringLiteral("--assign-gage");
    if (!request.intoSwmm) {
        if (request.gageName || request.assignGage)
            return Refusal(QStringLiteral("%1 只用于 --into-swmm").arg(gageFlag));
        return {};
    }
    if (request.outFile || request.outDir || request.compare || request.formatGiven ||
        request.writeStormFile || request.totals || request.idfCheck)
        return Refusal(QStringLiteral(
            "--into-swmm 把雨型写入模型，不能与 --out、--out-dir、--compare、--format、"
            "--write-storm、--totals 或 --idf-check 一起使用"));
    const std::size_t storms = request.stormCount();
    if (storms > MaxModelStorms)
        return Refusal(
            QStringLiteral("--P、--T 和 --r 组合出 %1 个雨型，一次最多可以写入模型 %2 个")
                .arg(storms)
                .arg(MaxModelStorms));
    if (storms > 1 && (request.gageName || request.assignGage))
        return Refusal(QStringLiteral("%1 只用于一个雨型：--P、--T 和 --r 组合出 %2 个")
                           .arg(gageFlag)
                           .arg(storms));
    return {};
}

// A fit prints a formula and its tables, and writes at most one storm.
Status RefusedFitCombination(const CliRequest& request) {
    if (request.fitTableFile && request.fitMaximaFile)
        return Refusal(QStringLiteral("--fit-formula 和 --fit-maxima 一次只能用一个"));
    if (!request.fitMaximaFile && (request.distribution || !request.fitPeriods.empty()))
        return Refusal(QStringLiteral("--distribution 和 --periods 只用于 --fit-maxima"));
    if (!request.fitTableFile && request.tableUnit)
        return Refusal(QStringLiteral("--table-unit 只用于 --fit-formula"));
    if (!request.fitsRainData())
        return {};
    const StormEdits& storm = request.storm;
    if (request.compare || request.isBatch() || request.peakRatios.size() > 1 ||
        request.formatGiven || request.outFile || request.totals || request.idfCheck ||
        request.intoSwmm)
        return Refusal(QStringLiteral(
            "--fit-formula 和 --fit-maxima 输出公式和精度表，不能与 --compare、--out-dir、"
            "--format、--out、--totals、--idf-check、--into-swmm 或 --P/--T/--r 列表一起使用"));
    if (storm.coefficient || storm.c || storm.b || storm.n || storm.flow)
        return Refusal(QStringLiteral("A1、C、b、n 由拟合得出，不能再用 --a1、--c、--b、--n 或 "
                                      "--flow 给出"));
    if (!request.writeStormFile &&
        (request.stormFile || storm.repeatYear || storm.time || storm.percent || storm.step))
        return Refusal(QStringLiteral(
            "--storm、--P、--T、--r 和 --step 给出 --write-storm 写出的雨型，需要与它一起使用"));
    return {};
}

// Combinations that cannot give what they ask for.
Status RefusedCombination(const CliRequest& request) {
    if (Status fit = RefusedFitCombination(request); !fit)
        return fit;
    if (request.updateServer && !request.checkUpdate)
        return Refusal(QStringLiteral("--update-server 要与 --check-update 一起使用"));
    if (request.force && !request.outDir && !request.intoSwmm)
        return Refusal(QStringLiteral("--force 只用于 --out-dir 或 --into-swmm"));
    if (Status model = RefusedModelCombination(request); !model)
        return model;
    if (request.idfCheck &&
        (request.isBatch() || request.formatGiven || request.totals || request.writeStormFile))
        return Refusal(
            QStringLiteral("--idf-check 只用于一个雨型，不能与 --P/--T "
                           "列表、--out-dir、--format、--totals 或 --write-storm 一起使用"));
    if (request.peakRatios.size() > 1 && !request.compare && !request.intoSwmm)
        return Refusal(QStringLiteral("--r 的多个值只用于 --compare 或 --into-swmm"));
    if (request.compare) {
        if (request.outDir || request.writeStormFile || request.totals || request.idfCheck ||
            request.stormFormat)
            return Refusal(QStringLiteral(
                "--compare 写出一个对比文件，不能与 "
                "--out-dir、--write-storm、--totals、--idf-check 或 --format storm 一起使用"));
        if (request.format != ExportFormat::Csv && request.format != ExportFormat::Swmm &&
            request.format != ExportFormat::Workbook)
            return Refusal(QStringLiteral("--compare 的 --format 只能是 csv、swmm、png 或 xlsx"));
        if ((request.pictureFormat || request.format == ExportFormat::Workbook) && !request.outFile)
            return Refusal(QStringLiteral("--compare 的 png 和 xlsx 需要 --out 文件"));
        if (const std::size_t storms = request.stormCount(); storms > MaxComparedStorms)
            return Refusal(
                QStringLiteral("--P、--T 和 --r 组合出 %1 个雨型，一次最多可以对比 %2 个")
                    .arg(storms)
                    .arg(MaxComparedStorms));
        return {};
    }
    if (request.pictureFormat)
        return Refusal(QStringLiteral("--format png 只用于 --compare"));
    if (request.isBatch()) {
        if (const std::size_t storms = request.stormCount(); storms > MaxBatchStorms)
            return Refusal(QStringLiteral("--P 和 --T 组合出 %1 个雨型，一次最多可以计算 %2 个")
                               .arg(storms)
                               .arg(MaxBatchStorms));
        if (request.outFile)
            return Refusal(QStringLiteral("--out 只能指定一个文件：多个雨型请用 --out-dir 文件夹"));
        if (request.writeStormFile)
            return Refusal(QStringLiteral(
                "--write-storm 只能指定一个文件：多个雨型请用 --format storm --out-dir 文件夹"));
        if (request.totals)
            return Refusal(QStringLiteral("--totals 只用于一个雨型的表格：多个雨型只输出汇总"));
        if (request.formatGiven && !request.outDir)
            return Refusal(QStringLiteral("多个雨型的 --format 需要 --out-dir 文件夹"));
        return {};
    }
    if (request.stormFormat && (!request.outFile || request.writeStormFile))
        return Refusal(QStringLiteral("--format storm 需要 --out 文件（或用 --write-storm 文件）"));
    if (request.stormFormat && request.totals)
        return Refusal(QStringLiteral("--totals 只用于 csv 和 swmm"));
    if (IsOfficeDocument(request.format) && !request.outFile)
        return Refusal(QStringLiteral("--format docx、report 和 xlsx 需要 --out 文件"));
    if (IsOfficeDocument(request.format) && request.totals)
        return Refusal(QStringLiteral("--totals 只用于 csv 和 swmm"));
    return {};
}

Result<CliRequest> Assemble(PendingRequest& pending) {
    CliRequest& request = pending.request;
    if (pending.optionsFile) {
        // Options that could not be read are not silently the defaults.
        const Result<QByteArray> read = ReadOptionsFile(*pending.optionsFile);
        if (!read)
            return read.failure().asError();
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
#ifdef Q_OS_WIN
    // Windows keeps the arguments as UTF-16; argv holds them in the ANSI code
    // page, without the characters it lacks.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    return windows::CommandLineArguments();
#else
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
#endif
}

Result<CliRequest> ParseCliArguments(const QStringList& arguments) {
    PendingRequest pending;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString name = arguments[i];
        std::optional<QString> inlineValue; // --flag=value
        if (const auto equals = name.indexOf(QLatin1Char('='));
            name.startsWith(QLatin1String("--")) && equals > 0) {
            inlineValue = name.mid(equals + 1);
            name.truncate(equals);
        }
        const CliFlag* flag = FindCliFlag(name);
        if (!flag)
            return Refusal(QStringLiteral("不认识的参数“%1”").arg(QuotedForeignText(name)));
        QString value;
        if (!flag->value.isEmpty()) {
            if (!inlineValue && i + 1 >= arguments.size())
                return Refusal(QStringLiteral("%1 需要一个值").arg(name));
            value = inlineValue ? *inlineValue : arguments[++i];
        } else if (inlineValue) {
            return Refusal(QStringLiteral("%1 不带值").arg(name));
        }
        if (Status read = flag->read(pending, name, value); !read)
            return read.failure();
    }
    if (Status refused = RefusedCombination(pending.request); !refused)
        return refused.failure();
    return Assemble(pending);
}

} // namespace velmora::cli
