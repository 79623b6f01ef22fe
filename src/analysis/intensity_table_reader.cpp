#include "intensity_table_reader.h"

#include "options.h"
#include "table_cells.h"
#include "table_text.h"

namespace velmora {

namespace {

const QString Period = QStringLiteral("重现期");
const QString Duration = QStringLiteral("历时");
const QString Intensity = QStringLiteral("强度");

// The fewest durations a formula with b and n can be fitted to.
constexpr std::size_t MinimumDurations = 3;

double InMillimetresPerMinute(double value, IntensityUnit unit, double qiRatio) {
    switch (unit) {
    case IntensityUnit::MillimetresPerMinute:
        return value;
    case IntensityUnit::MillimetresPerHour:
        return value / 60;
    case IntensityUnit::LitresPerSecondHectare:
        return ConvertQToI(value, qiRatio);
    }
    return value;
}

// The return periods across the first row, after its heading cell.
Result<std::vector<double>> ReadPeriods(const TTextRow& heading) {
    if (heading.cells.size() < 2)
        return Failure{QStringLiteral("第%1行只有标题，没有重现期").arg(heading.line)};
    std::vector<double> periods;
    std::vector<TPlacedValue> placed;
    for (qsizetype column = 1; column < heading.cells.size(); ++column) {
        const Result<double> period = PositiveCellNumber(heading, column, Period);
        if (!period)
            return period.failure();
        periods.push_back(*period);
        placed.push_back({*period, CellPlace(heading, column)});
    }
    if (const Status unique = CheckNoRepeat(placed, Period, QStringLiteral("年")); !unique)
        return unique.failure();
    return periods;
}

// One duration's row: the duration, then one intensity per period.
Result<std::vector<double>> ReadIntensities(const TTextRow& row, std::size_t periodCount,
                                            IntensityUnit unit, double qiRatio) {
    const qsizetype width = static_cast<qsizetype>(periodCount) + 1;
    if (const Status inside = CheckNoCellBeyond(row, width); !inside)
        return inside.failure();
    std::vector<double> intensities;
    for (qsizetype column = 1; column < width; ++column) {
        const Result<double> value = PositiveCellNumber(row, column, Intensity);
        if (!value)
            return value.failure();
        intensities.push_back(InMillimetresPerMinute(*value, unit, qiRatio));
    }
    return intensities;
}

} // namespace

Result<TIntensityTable> ReadIntensityTable(const QString& text, IntensityUnit unit,
                                           double qiRatio) {
    const std::vector<TTextRow> rows = SplitTableText(text);
    if (rows.empty())
        return Failure{QStringLiteral("表中没有数据")};
    TIntensityTable table;
    Result<std::vector<double>> periods = ReadPeriods(rows.front());
    if (!periods)
        return periods.failure();
    table.periods = std::move(*periods);

    std::vector<TPlacedValue> durations;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Result<double> duration = PositiveCellNumber(rows[i], 0, Duration);
        if (!duration)
            return duration.failure();
        Result<std::vector<double>> intensities =
            ReadIntensities(rows[i], table.periods.size(), unit, qiRatio);
        if (!intensities)
            return intensities.failure();
        table.durations.push_back(*duration);
        table.intensities.push_back(std::move(*intensities));
        durations.push_back({*duration, CellPlace(rows[i], 0)});
    }
    if (const Status unique = CheckNoRepeat(durations, Duration, QStringLiteral("分钟")); !unique)
        return unique.failure();
    if (table.durations.size() < MinimumDurations)
        return Failure{QStringLiteral("表中只有 %1 个历时，至少需要 %2 个")
                           .arg(table.durations.size())
                           .arg(MinimumDurations)};
    return table;
}

} // namespace velmora
