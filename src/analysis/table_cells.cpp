#include "table_cells.h"

#include "foreign_text.h"
#include "number_text.h"

namespace velmora {

Result<double> PositiveCellNumber(const TTextRow& row, qsizetype column, const QString& what) {
    const QString place = CellPlace(row, column);
    if (column >= row.cells.size() || row.cells[column].isEmpty())
        return Failure{QStringLiteral("%1缺少%2").arg(place, what)};
    const std::optional<double> number = ParseDecimalNumber(row.cells[column], QLatin1Char('.'));
    if (!number)
        return Failure{QStringLiteral("%1的%2“%3”不是数字")
                           .arg(place, what, QuotedForeignText(row.cells[column]))};
    if (!(*number > 0))
        return Failure{QStringLiteral("%1的%2 %3 不是正数")
                           .arg(place, what, GeneralNumberText(*number, QLatin1Char('.')))};
    return *number;
}

Status CheckNoCellBeyond(const TTextRow& row, qsizetype width) {
    for (qsizetype column = width; column < row.cells.size(); ++column)
        if (!row.cells[column].isEmpty())
            return Failure{QStringLiteral("%1“%2”在表头之外：表头没有这一列")
                               .arg(CellPlace(row, column), QuotedForeignText(row.cells[column]))};
    return {};
}

Status CheckNoRepeat(const std::vector<TPlacedValue>& values, const QString& what,
                     const QString& unit) {
    for (std::size_t i = 0; i < values.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (values[j].value == values[i].value)
                return Failure{QStringLiteral("%1 %2 %3出现了两次：%4和%5")
                                   .arg(what, GeneralNumberText(values[i].value, QLatin1Char('.')),
                                        unit, values[j].place, values[i].place)};
    return {};
}

} // namespace velmora
