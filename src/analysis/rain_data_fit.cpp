#include "rain_data_fit.h"

#include "annual_maxima_reader.h"
#include "atomic_file.h"
#include "intensity_table_reader.h"
#include "table_text.h"

namespace velmora {

namespace {

Result<TRainDataFit> FitTable(const QString& text, const TRainDataFitChoices& choices) {
    Result<TIntensityTable> table = ReadIntensityTable(text, choices.unit, choices.qiRatio);
    if (!table)
        return table.failure();
    Result<TTableFit> fit = FitIntensityTable(*table, choices.logOfP);
    if (!fit)
        return fit.failure();
    return TRainDataFit{std::move(*table), std::move(*fit), std::nullopt, 0};
}

Result<TRainDataFit> FitMaxima(const QString& text, const TRainDataFitChoices& choices) {
    const Result<TAnnualMaxima> records = ReadAnnualMaxima(text);
    if (!records)
        return records.failure();
    Result<TRecordsAnalysis> analysis =
        AnalyseAnnualMaxima(*records, choices.returnPeriods, choices.logOfP);
    if (!analysis)
        return analysis.failure();
    const std::size_t chosen = choices.distribution == DistributionChoice::Proposed
                                   ? analysis->proposed
                                   : static_cast<std::size_t>(choices.distribution);
    const TDistributionFormula& formula = analysis->formulas[chosen];
    if (!formula.fit)
        return Failure{DistributionName(formula.distribution) + QStringLiteral("的强度表：") +
                       formula.fit.message()};
    TRainDataFit fit{formula.table, *formula.fit, std::nullopt, chosen};
    fit.records = std::move(*analysis);
    return fit;
}

} // namespace

Result<TRainDataFit> FitRainData(const QString& text, const TRainDataFitChoices& choices) {
    return choices.kind == RainDataKind::IntensityTable ? FitTable(text, choices)
                                                        : FitMaxima(text, choices);
}

Result<QString> ReadRainDataFile(const QString& path) {
    const Result<QByteArray> bytes = ReadRegularFile(path, MaxRainDataFileBytes);
    if (!bytes)
        return bytes.failure();
    return DecodeTableFile(*bytes);
}

TExpressionObject StormWithFormula(TExpressionObject storm, const TTotalFormula& formula,
                                   double qiRatio) {
    storm.F_type = IntensityForm;
    storm.a1 = formula.a1;
    storm.c = formula.c;
    storm.b = formula.b;
    storm.n = formula.n;
    storm.LG_LN = static_cast<Logarithm>(formula.logOfP);
    DeriveDependentCoefficient(storm, qiRatio);
    return storm;
}

} // namespace velmora
