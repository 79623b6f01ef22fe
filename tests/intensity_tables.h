#pragma once

#include "annual_maxima.h"
#include "intensity_formulas.h"
#include "intensity_table.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace velmora::testing {

// The durations and periods of a gauge's usual table, 11 × 8.
inline const std::vector<double> UsualDurations = {5, 10, 15, 20, 30, 45, 60, 90, 120, 150, 180};
inline const std::vector<double> UsualPeriods = {2, 3, 5, 10, 20, 30, 50, 100};

// The table `formula` gives for the usual durations and periods.
inline TIntensityTable TableOfFormula(const TTotalFormula& formula) {
    TIntensityTable table{UsualDurations, UsualPeriods, {}};
    for (const double t : table.durations) {
        table.intensities.emplace_back();
        for (const double p : table.periods)
            table.intensities.back().push_back(FormulaIntensity(formula, t, p));
    }
    return table;
}

// A table that no formula fits exactly: `scale` × 10.5·(1 + 0.85·lg P)/(t + 12)^0.72,
// each cell (row r, column c, from 0) times 1 + `amplitude`·sin(7r + 3c + 1).
inline TIntensityTable PatternedTable(double amplitude, double scale) {
    TIntensityTable table = TableOfFormula({10.5, 0.85, 12, 0.72, CommonLogarithm});
    for (std::size_t r = 0; r < table.durations.size(); ++r)
        for (std::size_t c = 0; c < table.periods.size(); ++c)
            table.intensities[r][c] *=
                scale * (1 + amplitude * std::sin(static_cast<double>(7 * r + 3 * c + 1)));
    return table;
}

// Thirty years of maxima that follow i = 10.5·(1 + 0.85·lg P)/(t + 12)^0.72:
// the year ranked m has the depths of P = 31/m, give or take 2 %.
inline TAnnualMaxima ThirtyYearsOfMaxima() {
    const TTotalFormula formula{10.5, 0.85, 12, 0.72, CommonLogarithm};
    TAnnualMaxima records{UsualDurations, {}, {}};
    for (int k = 0; k < 30; ++k) {
        records.years.push_back(1981 + k);
        const double period = 31.0 / (1 + (7 * k) % 30);
        records.depths.emplace_back();
        for (const double t : records.durations)
            records.depths.back().emplace_back(t * FormulaIntensity(formula, t, period) *
                                               (1 + 0.02 * std::sin(k + t)));
    }
    return records;
}

// A number as a file holds it, every digit kept.
inline QString CellText(double x) {
    return QString::number(x, 'g', 17);
}

// The table as CSV, each intensity times `factor` (60 for mm/h).
inline QString TableCsv(const TIntensityTable& table, double factor = 1) {
    QStringList heading = {QStringLiteral("历时(min)")};
    for (const double period : table.periods)
        heading << CellText(period);
    QString text = heading.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (std::size_t row = 0; row < table.durations.size(); ++row) {
        QStringList cells = {CellText(table.durations[row])};
        for (const double intensity : table.intensities[row])
            cells << CellText(intensity * factor);
        text += cells.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return text;
}

// The annual maxima as a spreadsheet pastes them: tab-separated, gaps empty.
inline QString RecordsText(const TAnnualMaxima& records) {
    QStringList heading = {QStringLiteral("年份")};
    for (const double duration : records.durations)
        heading << CellText(duration);
    QString text = heading.join(QLatin1Char('\t')) + QLatin1Char('\n');
    for (std::size_t row = 0; row < records.years.size(); ++row) {
        QStringList cells = {QString::number(records.years[row])};
        for (const auto& depth : records.depths[row])
            cells << (depth ? CellText(*depth) : QString());
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

// `actual` equals `expected` to `digits` significant digits.
inline void ExpectSignificant(double actual, double expected, int digits) {
    EXPECT_NEAR(actual, expected, std::abs(expected) * 0.5 * std::pow(10.0, 1 - digits))
        << "expected " << expected << " to " << digits << " significant digits";
}

} // namespace velmora::testing
