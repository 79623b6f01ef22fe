#include "cli_arguments.h"

#include "number_text.h"
#include "options_file.h"

#include <QFileInfo>

#include <functional>
#include <map>

namespace velmora::cli {

namespace {

using ValueHandler = std::function<std::optional<QString>(const QString&)>;

std::optional<QString> SetNumber(const QString& flag, const QString& text, double& field) {
    const auto value = ParseDecimalNumber(text, QLatin1Char('.'));
    if (!value)
        return QStringLiteral("%1 needs a number, not '%2'").arg(flag, text);
    field = *value;
    return std::nullopt;
}

std::optional<QString> SetWhole(const QString& flag, const QString& text, std::int32_t& field,
                                int lowest, int highest) {
    const auto value = ParseInteger(text);
    if (!value || *value < lowest || *value > highest)
        return QStringLiteral("%1 needs a whole number from %2 to %3, not '%4'")
            .arg(flag)
            .arg(lowest)
            .arg(highest)
            .arg(text);
    field = *value;
    return std::nullopt;
}

std::optional<QString> SetChoice(const QString& flag, const QString& text,
                                 const QStringList& choices, std::int32_t& field) {
    const auto index = choices.indexOf(text);
    if (index < 0)
        return QStringLiteral("%1 takes %2, not '%3'").arg(flag, choices.join(QLatin1Char('|')), text);
    field = static_cast<std::int32_t>(index);
    return std::nullopt;
}

// Everything the flags set, before the storm is put together.
struct PendingRequest {
    CliRequest request{DefaultStorm(), TOptions{}, false, false};
    std::optional<double> coefficient;
    bool flow = false;
    std::optional<QString> optionsFile;
    std::vector<std::function<void(TOptions&)>> optionEdits;
};

} // namespace

CliParseResult ParseCliArguments(const QStringList& arguments) {
    PendingRequest pending;
    TExpressionObject& storm = pending.request.storm;
    double coefficient = 0;
    double qiRatio = 0;
    std::int32_t decimals = 0, unit = 0, timeFormat = 0;

    auto optionEdit = [&pending](std::function<void(TOptions&)> edit) {
        pending.optionEdits.push_back(std::move(edit));
    };

    const std::map<QString, ValueHandler> valueFlags = {
        {QStringLiteral("--a1"), [&](const QString& t) {
             auto e = SetNumber(QStringLiteral("--a1"), t, coefficient);
             pending.coefficient = coefficient;
             return e;
         }},
        {QStringLiteral("--c"), [&](const QString& t) { return SetNumber(QStringLiteral("--c"), t, storm.c); }},
        {QStringLiteral("--b"), [&](const QString& t) { return SetNumber(QStringLiteral("--b"), t, storm.b); }},
        {QStringLiteral("--n"), [&](const QString& t) { return SetNumber(QStringLiteral("--n"), t, storm.n); }},
        {QStringLiteral("--P"), [&](const QString& t) { return SetNumber(QStringLiteral("--P"), t, storm.Storm_RepeatYear); }},
        {QStringLiteral("--T"), [&](const QString& t) { return SetNumber(QStringLiteral("--T"), t, storm.Storm_Time); }},
        {QStringLiteral("--r"), [&](const QString& t) { return SetNumber(QStringLiteral("--r"), t, storm.Storm_Percent); }},
        {QStringLiteral("--step"), [&](const QString& t) {
             return SetWhole(QStringLiteral("--step"), t, storm.Storm_Step, INT32_MIN, INT32_MAX);
         }},
        {QStringLiteral("--options"), [&](const QString& t) -> std::optional<QString> {
             if (!QFileInfo(t).isFile() || !QFileInfo(t).isReadable())
                 return QStringLiteral("cannot read the options file '%1'").arg(t);
             pending.optionsFile = t;
             return std::nullopt;
         }},
        {QStringLiteral("--unit"), [&](const QString& t) {
             auto e = SetChoice(QStringLiteral("--unit"), t, {QStringLiteral("mm/h"), QStringLiteral("mm/min")}, unit);
             optionEdit([u = unit](TOptions& o) { o.Int_StormUnitidx = u; });
             return e;
         }},
        {QStringLiteral("--time"), [&](const QString& t) {
             auto e = SetChoice(QStringLiteral("--time"), t, {QStringLiteral("hm"), QStringLiteral("min")}, timeFormat);
             optionEdit([f = timeFormat](TOptions& o) { o.Int_TimeForamtidx = f; });
             return e;
         }},
        {QStringLiteral("--decimals"), [&](const QString& t) {
             auto e = SetWhole(QStringLiteral("--decimals"), t, decimals, 0, 99);
             optionEdit([d = decimals](TOptions& o) { o.Int_Precision = d; });
             return e;
         }},
        {QStringLiteral("--qi-ratio"), [&](const QString& t) -> std::optional<QString> {
             if (auto e = SetNumber(QStringLiteral("--qi-ratio"), t, qiRatio))
                 return e;
             if (!(qiRatio > 0))
                 return QStringLiteral("--qi-ratio needs a factor above 0, not '%1'").arg(t);
             optionEdit([r = qiRatio](TOptions& o) { o.D_QI_ConversionRatio = r; });
             return std::nullopt;
         }},
    };

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString flag = arguments[i];
        std::optional<QString> inlineValue;
        if (const auto equals = flag.indexOf(QLatin1Char('=')); flag.startsWith(QLatin1String("--")) && equals > 0) {
            inlineValue = flag.mid(equals + 1);
            flag = flag.left(equals);
        }
        if (const auto handler = valueFlags.find(flag); handler != valueFlags.end()) {
            if (!inlineValue && i + 1 >= arguments.size())
                return {std::nullopt, QStringLiteral("%1 needs a value").arg(flag)};
            const QString value = inlineValue ? *inlineValue : arguments[++i];
            if (const auto error = handler->second(value))
                return {std::nullopt, *error};
            continue;
        }
        if (inlineValue)
            return {std::nullopt, QStringLiteral("%1 takes no value").arg(flag)};
        if (flag == QLatin1String("--ln"))
            storm.LG_LN = 1;
        else if (flag == QLatin1String("--flow"))
            pending.flow = true;
        else if (flag == QLatin1String("--calc-by-show"))
            optionEdit([](TOptions& o) { o.Bool_CalcByShow = true; });
        else if (flag == QLatin1String("--totals"))
            pending.request.totals = true;
        else if (flag == QLatin1String("--help") || flag == QLatin1String("-h"))
            pending.request.help = true;
        else
            return {std::nullopt, QStringLiteral("unknown argument '%1'").arg(flag)};
    }

    TOptions& options = pending.request.options;
    if (pending.optionsFile)
        options = LoadOptions(*pending.optionsFile, UserDecimalSeparator());
    for (const auto& edit : pending.optionEdits)
        edit(options);

    // The coefficient given is the master of its form; the other one is
    // derived with the factor in force, as confirming the new-storm dialog does.
    const double ratio = options.D_QI_ConversionRatio;
    if (pending.flow) {
        storm.F_type = 1;
        storm.a1_167 = pending.coefficient.value_or(ConvertIToQ(storm.a1, ratio));
    } else if (pending.coefficient) {
        storm.a1 = *pending.coefficient;
    }
    DeriveDependentCoefficient(storm, ratio);
    return {pending.request, {}};
}

QString CliHelpText() {
    return CliUsageLine + QStringLiteral(R"(

Computes a Chicago design-storm hyetograph and prints it as CSV (UTF-8, CR LF
line ends): a header line and one line per row, time, intensity and
cumulative rainfall, written as the result table shows them.

Storm (defaults: the storm the program starts with):
  --a1 X          A1 of i = A1(1+C lgP)/(t+b)^n, or with --flow the coefficient
                  "166.7A1" of the flow form; A1 is then derived with the q-i factor
  --flow          the formula is given in the flow form q (L/(s·hm²))
  --c X, --b X, --n X   C, b and n of the formula
  --ln            use ln P instead of lg P
  --P X           return period, years (2)
  --T X           duration, minutes (120)
  --r X           peak-position ratio, 0 < r < 1 (0.4)
  --step N        step of the table, whole minutes (1)

Display (defaults: minutes, mm/min, 4 decimals; the user's own options file is
never read unless given with --options):
  --options FILE  read the options from an options file first
  --unit mm/h|mm/min   intensity unit
  --decimals N    number of decimals, 0 to 99
  --time hm|min   time as hours:minutes or as minutes
  --calc-by-show  sum the displayed (rounded) intensities
  --qi-ratio X    q-i factor (167, 166.7, …; below 166 means exact, 1000/6)

  --totals        add the total rainfall H and the average intensity
  --help, -h      show this text

Numbers are written with "." on the command line. A failed computation prints
"出错：" and the reason on standard error and exits with 1; bad arguments exit
with 2.
)");
}

} // namespace velmora::cli
