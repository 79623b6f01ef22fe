#include "cli_flags.h"

#include "design_values.h"
#include "foreign_text.h"
#include "number_text.h"
#include "swmm_model_names.h"

#include <QFileInfo>
#include <QSet>

namespace velmora::cli {

namespace {

Failure Refusal(const QString& text) {
    return Failure{text};
}

Result<double> Number(const QString& flag, const QString& text) {
    const auto value = ParseDecimalNumber(text, QLatin1Char('.'));
    if (!value)
        return Refusal(
            QStringLiteral("%1 需要一个数字，而不是“%2”").arg(flag, QuotedForeignText(text)));
    return *value;
}

Result<std::int32_t> Whole(const QString& flag, const QString& text, int lowest, int highest) {
    const auto value = ParseInteger(text);
    if (!value || *value < lowest || *value > highest)
        return Refusal(QStringLiteral("%1 需要%2到%3之间的整数，而不是“%4”")
                           .arg(flag)
                           .arg(lowest)
                           .arg(highest)
                           .arg(QuotedForeignText(text)));
    return *value;
}

// The position of `text` among the choices the flag's value names ("hm|min").
Result<std::int32_t> Choice(const QString& flag, const QString& text) {
    const QString choices = FindCliFlag(flag)->value;
    const auto index = choices.split(QLatin1Char('|')).indexOf(text);
    if (index < 0)
        return Refusal(
            QStringLiteral("%1 只能是 %2，而不是“%3”").arg(flag, choices, QuotedForeignText(text)));
    return static_cast<std::int32_t>(index);
}

// A design value the storm cannot have: "--r 1.5：峰值比例只能取值(0~1)之间，不包括0和1".
Status DesignValue(const QString& flag, const QString& text, const Status& check) {
    if (check)
        return {};
    return Refusal(QStringLiteral("%1 %2：%3").arg(flag, QuotedForeignText(text), check.message()));
}

// One number, or several separated by "," (a batch); the first is also kept
// as the single value. A value given twice would name the same files, and
// each must be a value a storm can have.
Status NumberList(const QString& flag, const QString& text, Status (*check)(double),
                  std::optional<double>& single, std::vector<double>& all) {
    const QStringList parts = text.split(QLatin1Char(','));
    std::vector<double> values;
    QSet<QString> seen; // a list of thousands is checked at once
    for (const QString& part : parts) {
        const Result<double> value = Number(flag, part);
        if (!value)
            return parts.size() == 1 ? value.failure()
                                     : Refusal(QStringLiteral("%1 需要用“,”分隔的数字，而不是“%2”")
                                                   .arg(flag, QuotedForeignText(text)));
        if (Status valid = DesignValue(flag, part, check(*value)); !valid)
            return valid;
        const QString shown = GeneralNumberText(*value, QLatin1Char('.'));
        if (seen.contains(shown))
            return Refusal(QStringLiteral("%1 中的 %2 重复了").arg(flag, shown));
        seen.insert(shown);
        values.push_back(*value);
    }
    single = values.front();
    all = std::move(values);
    return {};
}

// A number kept in `field` only when it was read without error.
template <typename T> Status Keep(const Result<T>& value, std::optional<T>& field) {
    if (!value)
        return value.failure();
    field = *value;
    return {};
}

// A choice whose names stand in the order of their codes ("mm/h|mm/min").
template <typename Code>
Status KeepCode(const Result<std::int32_t>& index, std::optional<Code>& field) {
    if (!index)
        return index.failure();
    field = static_cast<Code>(*index);
    return {};
}

Status FileName(const QString& flag, const QString& text, std::optional<QString>& field) {
    if (text.isEmpty())
        return Refusal(QStringLiteral("%1 需要一个文件名").arg(flag));
    field = text;
    return {};
}

Status ReadableFile(const QString& text, std::optional<QString>& field) {
    const QFileInfo file(text);
    if (!file.isFile() || !file.isReadable())
        return Refusal(QStringLiteral("无法读取文件“%1”").arg(QuotedForeignText(text)));
    field = text;
    return {};
}

// What each --format names: the export, or the storm file or the picture.
struct NamedFormat {
    const char* name;
    ExportFormat format;
    bool stormFile = false;
    bool picture = false;
};
const NamedFormat Formats[] = {{"csv", ExportFormat::Csv},
                               {"swmm", ExportFormat::Swmm},
                               {"docx", ExportFormat::WordTable},
                               {"report", ExportFormat::Report},
                               {"xlsx", ExportFormat::Workbook},
                               {"storm", ExportFormat::Csv, true},
                               {"png", ExportFormat::Csv, false, true}};

QString FormatChoices() {
    QStringList names;
    for (const NamedFormat& named : Formats)
        names << QString::fromLatin1(named.name);
    return names.join(QLatin1Char('|'));
}

Status Format(PendingRequest& pending, const QString& flag, const QString& text) {
    for (const NamedFormat& named : Formats) {
        if (text != QLatin1String(named.name))
            continue;
        CliRequest& request = pending.request;
        request.formatGiven = true;
        request.format = named.format;
        request.stormFormat = named.stormFile;
        request.pictureFormat = named.picture;
        return {};
    }
    return Refusal(QStringLiteral("%1 只能是 %2，而不是“%3”")
                       .arg(flag, FormatChoices(), QuotedForeignText(text)));
}

Status UpdateServerAddress(PendingRequest& pending, const QString& flag, const QString& text) {
    const QUrl address(text, QUrl::StrictMode);
    if (!address.isValid() || address.host().isEmpty() ||
        (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https")))
        return Refusal(QStringLiteral("%1 需要一个 http 或 https 地址，而不是“%2”")
                           .arg(flag, QuotedForeignText(text)));
    pending.request.updateServer = address;
    return {};
}

Status QiRatio(PendingRequest& pending, const QString& flag, const QString& text) {
    const Result<double> value = Number(flag, text);
    if (!value)
        return value.failure();
    if (!(*value > 0))
        return Refusal(
            QStringLiteral("%1 需要大于0的系数，而不是“%2”").arg(flag, QuotedForeignText(text)));
    pending.display.qiRatio = *value;
    return {};
}

// The return periods of the tables made from annual maxima: years above 1,
// at least the 2 a total formula needs.
Status FitPeriods(PendingRequest& pending, const QString& flag, const QString& text) {
    std::optional<double> first;
    const auto aboveOneYear = [](double period) -> Status {
        if (period > 1)
            return {};
        return Failure{QStringLiteral("年最大值只能推算 1 年以上的重现期")};
    };
    if (Status read = NumberList(flag, text, aboveOneYear, first, pending.request.fitPeriods);
        !read)
        return read;
    if (pending.request.fitPeriods.size() < 2)
        return Refusal(QStringLiteral("%1 只给了 1 个重现期，总公式至少需要 2 个").arg(flag));
    return {};
}

using P = PendingRequest;
using S = const QString&;

// The order of the usage line and of the help; the groups' headings are below.
const std::vector<CliFlag> Flags = {
    {"--storm", "FILE", FlagGroup::Storm, nullptr,
     "start from the storm in a storm file (.txt) instead",
     [](P& p, S, S v) { return ReadableFile(v, p.request.stormFile); }},
    {"--a1", "X", FlagGroup::Storm, nullptr,
     "A1 of i = A1(1+C lgP)/(t+b)^n, or with --flow the coefficient\n"
     "\"166.7A1\" of the flow form; the other one is derived with the q-i\n"
     "factor (also when --flow or --qi-ratio is given)",
     [](P& p, S f, S v) { return Keep(Number(f, v), p.request.storm.coefficient); }},
    {"--flow",
     {},
     FlagGroup::Storm,
     nullptr,
     "the formula is given in the flow form q (L/(s·hm²))",
     [](P& p, S, S) {
         p.request.storm.flow = true;
         return Status();
     }},
    {"--c", "X", FlagGroup::Storm, nullptr, "C of the formula",
     [](P& p, S f, S v) { return Keep(Number(f, v), p.request.storm.c); }},
    {"--b", "X", FlagGroup::Storm, nullptr, "b of the formula, minutes",
     [](P& p, S f, S v) { return Keep(Number(f, v), p.request.storm.b); }},
    {"--n", "X", FlagGroup::Storm, nullptr, "n of the formula",
     [](P& p, S f, S v) { return Keep(Number(f, v), p.request.storm.n); }},
    {"--ln",
     {},
     FlagGroup::Storm,
     nullptr,
     "use ln P instead of lg P (with a fit: in the fitted formula)",
     [](P& p, S, S) {
         p.request.storm.naturalLog = true;
         return Status();
     }},
    {"--P", "X[,X...]", FlagGroup::Storm, nullptr,
     "return period, years (2); several values make a batch",
     [](P& p, S f, S v) {
         return NumberList(f, v, CheckRepeatYear, p.request.storm.repeatYear,
                           p.request.repeatYears);
     }},
    {"--T", "X[,X...]", FlagGroup::Storm, nullptr,
     "duration, minutes (120); several values make a batch",
     [](P& p, S f, S v) {
         return NumberList(f, v, CheckDuration, p.request.storm.time, p.request.durations);
     }},
    {"--r", "X[,X...]", FlagGroup::Storm, nullptr,
     "peak-position ratio, 0 < r < 1 (0.4); several only with\n"
     "--compare or --into-swmm",
     [](P& p, S f, S v) {
         return NumberList(f, v, CheckPeakRatio, p.request.storm.percent, p.request.peakRatios);
     }},
    {"--step", "N", FlagGroup::Storm, nullptr, "step of the table, whole minutes (1)",
     [](P& p, S f, S v) {
         const Result<std::int32_t> step = Whole(f, v, INT32_MIN, INT32_MAX);
         if (!step)
             return Status(step.failure());
         if (Status valid = DesignValue(f, v, CheckStep(*step)); !valid)
             return valid;
         p.request.storm.step = *step;
         return Status();
     }},
    {"--write-storm", "FILE", FlagGroup::Storm, nullptr,
     "write the storm as a storm file (code page 936) instead\n"
     "of printing its table; with a fit, the fitted formula on the\n"
     "storm (--storm or the default) with the other storm flags",
     [](P& p, S f, S v) { return FileName(f, v, p.request.writeStormFile); }},

    {"--options", "FILE", FlagGroup::Display, nullptr,
     "read the options from an options file first",
     [](P& p, S, S v) { return ReadableFile(v, p.optionsFile); }},
    {"--unit", "mm/h|mm/min", FlagGroup::Display, nullptr, "intensity unit",
     [](P& p, S f, S v) { return KeepCode(Choice(f, v), p.display.unit); }},
    {"--decimals", "N", FlagGroup::Display, nullptr, "number of decimals, 0 to 99",
     [](P& p, S f, S v) { return Keep(Whole(f, v, 0, 99), p.display.decimals); }},
    {"--time", "hm|min", FlagGroup::Display, nullptr, "time as hours:minutes or as minutes",
     [](P& p, S f, S v) { return KeepCode(Choice(f, v), p.display.timeFormat); }},
    {"--calc-by-show",
     {},
     FlagGroup::Display,
     nullptr,
     "sum the displayed (rounded) intensities",
     [](P& p, S, S) {
         p.display.calcByShow = true;
         return Status();
     }},
    {"--interval-average",
     {},
     FlagGroup::Display,
     nullptr,
     "rows one step apart, each the mean intensity of its\n"
     "step (the rain from its time to the next row's), so that the\n"
     "rows times the step add up to H; a last step that runs past\n"
     "the storm counts its missing minutes as dry",
     [](P& p, S, S) {
         p.display.intervalAverage = true;
         return Status();
     }},
    {"--qi-ratio", "X", FlagGroup::Display, nullptr,
     "q-i factor (167, 166.7, …; below 166 means exact, 1000/6)", QiRatio},

    {"--format", FormatChoices(), FlagGroup::Output, nullptr,
     "the table as the CSV export writes it (default), as the SWMM\n"
     "rainfall file (hours:minutes and mm/h, \".\" as separator), as the\n"
     "Word table (docx), as the calculation report with its chart\n"
     "(report), as the Excel workbook with its chart (xlsx) or the\n"
     "storm file itself (storm); docx, report, xlsx and storm need\n"
     "--out or --out-dir; png, the chart as a picture, is for\n"
     "--compare only",
     Format},
    {"--out", "FILE", FlagGroup::Output, "[--out FILE | --out-dir DIR [--force]]",
     "write to FILE in code page 936, as the program's exports do",
     [](P& p, S f, S v) { return FileName(f, v, p.request.outFile); }},
    {"--totals",
     {},
     FlagGroup::Output,
     nullptr,
     "add the total rainfall H and the average intensity",
     [](P& p, S, S) {
         p.request.totals = true;
         return Status();
     }},
    {"--compare",
     {},
     FlagGroup::Output,
     nullptr,
     "with lists for --P, --T and --r: every combination as one\n"
     "comparison instead of one file per storm, at most 8 storms.\n"
     "csv: the time column (every minute any storm has) and one\n"
     "intensity column per storm headed \"P=…年 T=…分 r=…\", empty\n"
     "where that storm has no row; swmm: a [TIMESERIES] section\n"
     "with one series per storm (P2_T120_r0.4: hours:minutes, mm/h)\n"
     "and a commented [RAINGAGES] line for each; png (with --out):\n"
     "the chart with every storm's line, the last storm shown\n"
     "with its bars; xlsx (with --out): the workbook of the last\n"
     "storm with the comparison on 雨型数据2 and in its chart",
     [](P& p, S, S) {
         p.request.compare = true;
         return Status();
     }},
    {"--idf-check",
     {},
     FlagGroup::Output,
     nullptr,
     "instead of the table, check the storm against its formula:\n"
     "for durations of 5, 10, 15, 20, 30, 45, 60, 90, 120, … 10080\n"
     "minutes below T and for T, the heaviest rain of that many\n"
     "consecutive minutes against the formula's depth\n"
     "A·d/(d+b)^n, and their difference in per cent (CSV, \".\"\n"
     "as separator; with --out in code page 936 with CR LF)",
     [](P& p, S, S) {
         p.request.idfCheck = true;
         return Status();
     }},
    {"--help",
     {},
     FlagGroup::Output,
     nullptr,
     "show this text (also -h)",
     [](P& p, S, S) {
         p.request.help = true;
         return Status();
     }},

    {"--version",
     {},
     FlagGroup::Program,
     "--version",
     "print the program's version",
     [](P& p, S, S) {
         p.request.version = true;
         return Status();
     }},
    {"--check-update",
     {},
     FlagGroup::Program,
     "--check-update [--update-server URL]",
     "ask the maker's server whether a newer version exists, as\n"
     "the window's \"检查更新...\" does, and print the answer: the\n"
     "new version, its notes and the address of its page, or\n"
     "\"已经是最新版本了\"; exits with 0. A failed check prints\n"
     "\"出错：\" and the reason and exits with 1 (both on standard\n"
     "output, like the answer). No answer within 10 s counts as\n"
     "failed. The system's proxy settings are used.",
     [](P& p, S, S) {
         p.request.checkUpdate = true;
         return Status();
     }},
    {"--update-server", "URL", FlagGroup::Program, "",
     "ask this server (http or https, its host and port)\ninstead of the maker's",
     UpdateServerAddress},

    {"--out-dir", "DIR", FlagGroup::Batch, "",
     "also write each storm's file into the folder DIR, named as\n"
     "the program proposes for that export (a storm file: as its\n"
     "picture, with .txt); existing files are left alone and count\n"
     "as failed",
     [](P& p, S, S v) {
         if (!QFileInfo(v).isDir())
             return Status(Refusal(QStringLiteral("“%1”不是文件夹").arg(QuotedForeignText(v))));
         p.request.outDir = v;
         return Status();
     }},
    {"--force",
     {},
     FlagGroup::Batch,
     "",
     "replace existing files in DIR; with --into-swmm, replace the\n"
     "series and gages of the storms' names that this program\n"
     "wrote into the model before, where they stand",
     [](P& p, S, S) {
         p.request.force = true;
         return Status();
     }},

    {"--into-swmm", "MODEL", FlagGroup::SwmmModel,
     "[--into-swmm MODEL [--gage-name NAME] [--assign-gage] [--force]]",
     "write the storm, or every combination of the\n"
     "lists for --P, --T and --r (at most 100), into the SWMM 5\n"
     "input file MODEL: each as a [TIMESERIES] series named like\n"
     "P2_T120_r0.4 and a [RAINGAGES] gage RG_P2_T120_r0.4 reading\n"
     "it, in the model's rain unit (mm/hr, or in/hr for US flow\n"
     "units); every other byte of the model stays. Prints a line\n"
     "per series written, the unit and the warnings",
     [](P& p, S f, S v) { return FileName(f, v, p.request.intoSwmm); }},
    {"--gage-name", "NAME", FlagGroup::SwmmModel, "",
     "the gage's name instead of RG_ and the series'\n"
     "name (one storm; letters, digits and ASCII signs, at most 31)",
     [](P& p, S f, S v) {
         const Result<QString> name = SafeSwmmName(v, QStringLiteral("雨量计"));
         if (!name)
             return Status(Refusal(QStringLiteral("%1：%2").arg(f, name.message())));
         p.request.gageName = *name;
         return Status();
     }},
    {"--assign-gage",
     {},
     FlagGroup::SwmmModel,
     "",
     "point every subcatchment of the model at the new gage (one\n"
     "storm)",
     [](P& p, S, S) {
         p.request.assignGage = true;
         return Status();
     }},
    {"--fit-formula", "TABLE", FlagGroup::Fit,
     "--fit-formula TABLE [--table-unit U] [--ln] [--write-storm FILE ...]",
     "fit the formula to a table of intensities (CSV or\n"
     "tab-separated; UTF-8, UTF-16 or GBK): a heading row such as\n"
     "历时(min),2,3,5,... (the return periods in years), then one\n"
     "row per duration in minutes with its intensities; at least\n"
     "3 durations and 2 return periods",
     [](P& p, S, S v) { return ReadableFile(v, p.request.fitTableFile); }},
    // The choices in the order of IntensityUnit.
    {"--table-unit", "mm/min|mm/h|q", FlagGroup::Fit, "",
     "the unit of the table's intensities (mm/min); q is in\n"
     "L/(s·hm²), converted with the q-i factor (--qi-ratio)",
     [](P& p, S f, S v) { return Keep(Choice(f, v), p.request.tableUnit); }},
    {"--fit-maxima", "RECORDS", FlagGroup::Fit,
     "--fit-maxima RECORDS [--distribution D] [--periods X,X...] [--ln] [--write-storm FILE ...]",
     "fit the formula to annual maxima instead: a heading row such\n"
     "as 年份,5,10,15,... (the durations in minutes), then one row\n"
     "per year, the year and its largest depth (mm) in each\n"
     "duration, an empty cell where the year has none; at least 10\n"
     "years per duration. Each duration's Pearson III, Gumbel and\n"
     "exponential curves make a table of intensities per\n"
     "distribution, and each table gets its formulas",
     [](P& p, S, S v) { return ReadableFile(v, p.request.fitMaximaFile); }},
    // The choices in the order of DistributionChoice.
    {"--distribution", "p3|gumbel|exp|best", FlagGroup::Fit, "",
     "the distribution whose formula is printed and written (best:\n"
     "the one whose total formula deviates least from its table\n"
     "over 2 to 20 years, the default)",
     [](P& p, S f, S v) { return Keep(Choice(f, v), p.request.distribution); }},
    {"--periods", "X,X[,X...]", FlagGroup::Fit, "",
     "the return periods of the tables made from annual maxima,\n"
     "years above 1 (2,3,5,10,20,30,50,100)",
     FitPeriods},
};

QString Synopsis(const CliFlag& flag) {
    QString synopsis = QString::fromLatin1(flag.name);
    if (!flag.value.isEmpty())
        synopsis += QLatin1Char(' ') + flag.value;
    return synopsis;
}

// "  --P X[,X...]    return period, …": the help's lines start in column 18.
QString HelpLines(const CliFlag& flag) {
    constexpr qsizetype HelpColumn = 18;
    QString head = QStringLiteral("  ") + Synopsis(flag);
    head = head.size() <= HelpColumn - 2 ? head.leftJustified(HelpColumn)
                                         : head + QStringLiteral("   ");
    const QStringList lines = QString::fromUtf8(flag.help).split(QLatin1Char('\n'));
    QString text = head + lines.front() + QLatin1Char('\n');
    for (qsizetype i = 1; i < lines.size(); ++i)
        text += QString(HelpColumn, QLatin1Char(' ')) + lines[i] + QLatin1Char('\n');
    return text;
}

QString GroupHeading(FlagGroup group) {
    switch (group) {
    case FlagGroup::Storm:
        return QStringLiteral(
            "Storm (defaults: the storm the program starts with, or the one read with --storm):\n");
    case FlagGroup::Display:
        return QStringLiteral(
            "Display (defaults: minutes, mm/min, 4 decimals; the user's own options file is\n"
            "never read unless given with --options):\n");
    case FlagGroup::Output:
    case FlagGroup::Program:
        return QString();
    case FlagGroup::Batch:
        return QStringLiteral(
            "Several storms (a list for --P or --T, or --out-dir): every combination of\n"
            "the return periods and durations on the same formula and options. One CSV line\n"
            "per storm is printed (UTF-8, CR LF, \".\" as separator, a header line first): P,\n"
            "T, r, step, H, average intensity, peak intensity and the time of the peak, as\n"
            "the table shows them. A storm that fails prints \"出错：\" with its P and T and\n"
            "the reason on standard error; the others still run, and the exit code is 1.\n");
    case FlagGroup::SwmmModel:
        return QStringLiteral(
            "Into a SWMM model (the model is left byte for byte as it was when anything is\n"
            "refused, and the exit code is 1; names this program did not write are never\n"
            "replaced):\n");
    case FlagGroup::Fit:
        return QStringLiteral(
            "Formula from rain data: prints the fitted i = A1(1+C lgP)/(t+b)^n as the storm\n"
            "file's lines a1=, c=, b=, n= and LG_LN= (15 significant digits, \".\" as\n"
            "separator), then each result table as CSV after a blank line and a title line\n"
            "\"# ...\" (UTF-8, LF): with --fit-maxima the three distributions' formulas;\n"
            "the total formula's accuracy per return period and over 2 to 20 years with\n"
            "the marks 合格/不合格 (σ at most 0.05 mm/min, σ/mean at most 5 %), each\n"
            "period's own formula A/(t+b)^n, the largest deviations; with --fit-maxima\n"
            "each distribution's mean, Cv, Cs and depths per return period. Data that\n"
            "cannot be read, or a fit that does not converge or lands on a boundary,\n"
            "prints \"出错：\" and the reason and exits with 1. --storm, --P, --T, --r and\n"
            "--step only go with --write-storm.\n");
    }
    return QString();
}

} // namespace

void DisplayOverrides::applyTo(TOptions& options) const {
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

const std::vector<CliFlag>& CliFlags() {
    return Flags;
}

const CliFlag* FindCliFlag(const QString& name) {
    if (name == QLatin1String("-h"))
        return FindCliFlag(QStringLiteral("--help"));
    for (const CliFlag& flag : Flags)
        if (name == QLatin1String(flag.name))
            return &flag;
    return nullptr;
}

QString CliUsageLine() {
    QString first = QStringLiteral("usage: velmora-cli");
    QString others;
    for (const CliFlag& flag : Flags) {
        if (flag.group == FlagGroup::Program || flag.group == FlagGroup::Fit) {
            if (*flag.usage)
                others += QStringLiteral("\n       velmora-cli ") + QString::fromLatin1(flag.usage);
            continue;
        }
        if (!flag.usage)
            first += QStringLiteral(" [") + Synopsis(flag) + QLatin1Char(']');
        else if (*flag.usage)
            first += QLatin1Char(' ') + QString::fromLatin1(flag.usage);
    }
    return first + others;
}

QString CliHelpText() {
    QString text = CliUsageLine() + QStringLiteral(R"(

Computes a Chicago design-storm hyetograph and prints it as CSV (UTF-8, CR LF
line ends): a header line and one line per row, time, intensity and
cumulative rainfall, written as the result table shows them.
)");
    std::optional<FlagGroup> group;
    for (const CliFlag& flag : Flags) {
        if (flag.group != group) {
            group = flag.group;
            text += QLatin1Char('\n') + GroupHeading(flag.group);
        }
        text += HelpLines(flag);
    }
    return text + QStringLiteral(R"(
A value may follow its flag as the next argument or after "=" (--T=1440).
Numbers are written with "." on the command line. A failed computation prints
"出错：" and the reason on standard error and exits with 1; bad arguments exit
with 2. TERM or Ctrl+C ends a run at once, a batch after the storm under way.
)");
}

} // namespace velmora::cli
