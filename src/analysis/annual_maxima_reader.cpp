#include "annual_maxima_reader.h"

#include "foreign_text.h"
#include "number_text.h"
#include "table_cells.h"
#include "table_text.h"

#include <cmath>

namespace velmora {

namespace {

const QString Duration = QStringLiteral("历时");
const QString Depth = QStringLiteral("雨量");

// The fewest durations a formula with b and n can be fitted to.
constexpr std::size_t MinimumDurations = 3;

Result<std::vector<double>> ReadDurations(const TTextRow& heading) {
    std::vector<double> durations;
    std::vector<TPlacedValue> placed;
    for (qsizetype column = 1; column < heading.cells.size(); ++column) {
        const Result<double> duration = PositiveCellNumber(heading, column, Duration);
        if (!duration)
            return duration.failure();
        durations.push_back(*duration);
        placed.push_back({*duration, CellPlace(heading, column)});
    }
    if (const Status unique = CheckNoRepeat(placed, Duration, QStringLiteral("分钟")); !unique)
        return unique.failure();
    if (durations.size() < MinimumDurations)
        return Failure{QStringLiteral("第%1行只有 %2 个历时，至少需要 %3 个")
                           .arg(heading.line)
                           .arg(durations.size())
                           .arg(MinimumDurations)};
    return durations;
}

Result<int> ReadYear(const TTextRow& row) {
    if (row.cells[0].isEmpty())
        return Failure{QStringLiteral("%1缺少年份").arg(CellPlace(row, 0))};
    const std::optional<double> year = ParseDecimalNumber(row.cells[0], QLatin1Char('.'));
    if (!year || *year != std::floor(*year) || std::abs(*year) > 99999)
        return Failure{QStringLiteral("%1“%2”不是年份")
                           .arg(CellPlace(row, 0), QuotedForeignText(row.cells[0]))};
    return static_cast<int>(*year);
}

// A year's depths; an empty cell (or one past the row's end) is a gap.
Result<std::vector<std::optional<double>>> ReadDepths(const TTextRow& row,
                                                      std::size_t durationCount) {
    const qsizetype width = static_cast<qsizetype>(durationCount) + 1;
    if (const Status inside = CheckNoCellBeyond(row, width); !inside)
        return inside.failure();
    std::vector<std::optional<double>> depths;
    for (qsizetype column = 1; column < width; ++column) {
        if (column >= row.cells.size() || row.cells[column].isEmpty()) {
            depths.emplace_back();
            continue;
        }
        const Result<double> depth = PositiveCellNumber(row, column, Depth);
        if (!depth)
            return depth.failure();
        depths.emplace_back(*depth);
    }
    return depths;
}

} // namespace

Result<TAnnualMaxima> ReadAnnualMaxima(const QString& text) {
    const std::vector<TTextRow> rows = SplitTableText(text);
    if (rows.empty())
        return Failure{QStringLiteral("表中没有数据")};
    TAnnualMaxima records;
    Result<std::vector<double>> durations = ReadDurations(rows.front());
    if (!durations)
        return durations.failure();
    records.durations = std::move(*durations);

    std::vector<TPlacedValue> years;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const Result<int> year = ReadYear(rows[i]);
        if (!year)
            return year.failure();
        Result<std::vector<std::optional<double>>> depths =
            ReadDepths(rows[i], records.durations.size());
        if (!depths)
            return depths.failure();
        records.years.push_back(*year);
        records.depths.push_back(std::move(*depths));
        years.push_back({static_cast<double>(*year), CellPlace(rows[i], 0)});
    }
    if (const Status unique = CheckNoRepeat(years, QStringLiteral("年份"), QString()); !unique)
        return unique.failure();
    return records;
}

} // namespace velmora
