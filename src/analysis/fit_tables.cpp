#include "fit_tables.h"

#include "fit_accuracy.h"
#include "number_text.h"

#include <cmath>

namespace velmora {

namespace {

const QChar Dot = QLatin1Char('.');

// The skewness of Gumbel's distribution, 12·√6·ζ(3)/π³, and of the exponential.
constexpr double GumbelSkewness = 1.1395470994046486;
constexpr double ExponentialSkewness = 2;

QString General(double x) {
    return GeneralNumberText(x, Dot);
}

QString Fixed(double x, int decimals) {
    return FixedDecimalsText(x, decimals, Dot);
}

QString Mark(bool withinLimit) {
    return withinLimit ? WithinLimitMark : BeyondLimitMark;
}

// σ, σ/mean and their marks.
QStringList DeviationCells(const TDeviation& deviation) {
    return {Fixed(deviation.rms, 4), Fixed(deviation.relativePercent, 2),
            Mark(deviation.rmsWithinLimit), Mark(deviation.relativeWithinLimit)};
}

const QStringList DeviationHeading = {
    QStringLiteral("均方差σ(mm/min)"), QStringLiteral("相对均方差(%)"),
    QStringLiteral("σ≤%1mm/min").arg(General(MaximumRmsDeviation)),
    QStringLiteral("相对均方差≤%1%").arg(General(MaximumRelativeDeviation))};

// The row of 2 ≤ P ≤ 20, with `blanks` empty cells before its deviation.
void AddStandardRange(TTextTable& table, const TFitAccuracy& accuracy, qsizetype blanks) {
    if (!accuracy.standardRange)
        return;
    QStringList row = {QStringLiteral("%1~%2").arg(General(StandardRangeFirstPeriod),
                                                   General(StandardRangeLastPeriod))};
    for (qsizetype i = 0; i < blanks; ++i)
        row << QString();
    table.rows.push_back(row + DeviationCells(*accuracy.standardRange));
}

TTextTable TotalAccuracy(const TTableFit& fit) {
    TTextTable table{QStringLiteral("总公式精度"),
                     QStringList{QStringLiteral("重现期(年)")} + DeviationHeading,
                     {}};
    for (const TPeriodDeviation& period : fit.totalAccuracy.periods)
        table.rows.push_back(QStringList{General(period.period)} +
                             DeviationCells(period.deviation));
    AddStandardRange(table, fit.totalAccuracy, 0);
    return table;
}

TTextTable PeriodFormulas(const TTableFit& fit) {
    TTextTable table{QStringLiteral("单一重现期公式"),
                     QStringList{QStringLiteral("重现期(年)"), QStringLiteral("A"),
                                 QStringLiteral("b"), QStringLiteral("n")} +
                         DeviationHeading,
                     {}};
    for (std::size_t i = 0; i < fit.periods.size(); ++i) {
        const TPeriodFormula& formula = fit.periods[i];
        table.rows.push_back(QStringList{General(formula.period), CoefficientText(formula.a),
                                         CoefficientText(formula.b), CoefficientText(formula.n)} +
                             DeviationCells(fit.periodsAccuracy.periods[i].deviation));
    }
    AddStandardRange(table, fit.periodsAccuracy, 3);
    return table;
}

TTextTable LargestDeviations(const TTableFit& fit) {
    TTextTable table{QStringLiteral("最大偏差"),
                     {QStringLiteral("公式"), QStringLiteral("历时(min)"),
                      QStringLiteral("重现期(年)"), QStringLiteral("公式−表(mm/min)")},
                     {}};
    const auto row = [](const QString& name, const TLargestDeviation& largest) {
        return QStringList{name, General(largest.duration), General(largest.period),
                           Fixed(largest.deviation, 4)};
    };
    table.rows.push_back(row(QStringLiteral("总公式"), fit.totalAccuracy.largest));
    table.rows.push_back(row(QStringLiteral("单一重现期公式"), fit.periodsAccuracy.largest));
    return table;
}

TTextTable DistributionFormulas(const TRecordsAnalysis& records, std::size_t chosen) {
    TTextTable table{QStringLiteral("三种分布的公式"),
                     {QStringLiteral("分布"), QStringLiteral("A1"), QStringLiteral("C"),
                      QStringLiteral("b"), QStringLiteral("n"), QStringLiteral("均方差σ(mm/min)"),
                      QStringLiteral("说明")},
                     {}};
    for (std::size_t i = 0; i < records.formulas.size(); ++i) {
        const TDistributionFormula& formula = records.formulas[i];
        const QString name = DistributionName(formula.distribution);
        if (!formula.fit) {
            table.rows.push_back({name, {}, {}, {}, {}, {}, formula.fit.message()});
            continue;
        }
        QStringList notes;
        if (i == records.proposed)
            notes << QStringLiteral("推荐");
        if (i == chosen)
            notes << QStringLiteral("采用");
        const TTotalFormula& total = formula.fit->total;
        table.rows.push_back({name, CoefficientText(total.a1), CoefficientText(total.c),
                              CoefficientText(total.b), CoefficientText(total.n),
                              Fixed(ProposalDeviation(*formula.fit), 4),
                              notes.join(QStringLiteral("，"))});
    }
    return table;
}

double Skewness(const TDurationFrequency& duration, Distribution distribution) {
    switch (distribution) {
    case Distribution::PearsonThree:
        return duration.cs;
    case Distribution::Gumbel:
        return GumbelSkewness;
    case Distribution::Exponential:
        return ExponentialSkewness;
    }
    return NAN;
}

TTextTable DistributionCurves(const TRecordsAnalysis& records, std::size_t distribution) {
    const Distribution which = Distributions[distribution];
    TTextTable table{DistributionName(which),
                     {QStringLiteral("历时(min)"), QStringLiteral("年数"),
                      QStringLiteral("均值(mm)"), QStringLiteral("Cv"), QStringLiteral("Cs")},
                     {}};
    for (const double period : records.returnPeriods)
        table.heading << QStringLiteral("%1年(mm)").arg(General(period));
    for (const TDurationFrequency& duration : records.durations) {
        QStringList row = {General(duration.duration),
                           QString::number(duration.sample.depths.size()),
                           Fixed(duration.sample.mean, 2), Fixed(duration.sample.cv, 3),
                           Fixed(Skewness(duration, which), 3)};
        for (const double depth : duration.curves[distribution].depths)
            row << Fixed(depth, 2);
        table.rows.push_back(row);
    }
    return table;
}

QString CsvCell(QString cell) {
    if (!cell.contains(QLatin1Char(',')) && !cell.contains(QLatin1Char('"')) &&
        !cell.contains(QLatin1Char('\n')))
        return cell;
    cell.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + cell + QLatin1Char('"');
}

QString Line(const QStringList& cells, QChar separator) {
    QStringList written;
    for (QString cell : cells) {
        if (separator == QLatin1Char(','))
            written << CsvCell(cell);
        else
            written << cell.replace(separator, QLatin1Char(' '))
                           .replace(QLatin1Char('\r'), QLatin1Char(' '))
                           .replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return written.join(separator);
}

// "+0.85" or "-0.85": a term after another.
QString Term(double x) {
    return (x < 0 ? QStringLiteral("-") : QStringLiteral("+")) + CoefficientText(std::abs(x));
}

} // namespace

QStringList FormulaKeyLines(const TTotalFormula& formula) {
    return {QStringLiteral("a1=") + General(formula.a1), QStringLiteral("c=") + General(formula.c),
            QStringLiteral("b=") + General(formula.b), QStringLiteral("n=") + General(formula.n),
            QStringLiteral("LG_LN=") + QString::number(formula.logOfP)};
}

QString CoefficientText(double x) {
    return General(QString::number(x, 'g', 6).toDouble());
}

QString FormulaText(const TTotalFormula& formula) {
    const QString log =
        formula.logOfP == NaturalLogarithm ? QStringLiteral("lnP") : QStringLiteral("lgP");
    return QStringLiteral("i = %1(1%2%3)/(t%4)^%5")
        .arg(CoefficientText(formula.a1), Term(formula.c), log, Term(formula.b),
             CoefficientText(formula.n));
}

TTotalFormula ShownFormula(TTotalFormula formula) {
    for (double* coefficient : {&formula.a1, &formula.c, &formula.b, &formula.n})
        *coefficient = CoefficientText(*coefficient).toDouble();
    return formula;
}

std::vector<TTextTable> RainDataFitTables(const TRainDataFit& fit) {
    std::vector<TTextTable> tables;
    if (fit.records)
        tables.push_back(DistributionFormulas(*fit.records, fit.distribution));
    tables.push_back(TotalAccuracy(fit.fit));
    tables.push_back(PeriodFormulas(fit.fit));
    tables.push_back(LargestDeviations(fit.fit));
    if (fit.records)
        for (std::size_t i = 0; i < fit.records->formulas.size(); ++i)
            tables.push_back(DistributionCurves(*fit.records, i));
    return tables;
}

QStringList TextTableLines(const TTextTable& table, QChar separator) {
    QStringList lines = {Line(table.heading, separator)};
    for (const QStringList& row : table.rows)
        lines << Line(row, separator);
    return lines;
}

} // namespace velmora
