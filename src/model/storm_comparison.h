#pragma once

#include "display_text.h"
#include "hyetograph.h"
#include "options.h"
#include "result.h"
#include "storm.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

// The most storms compared on one chart: one colour of the palette each.
inline constexpr std::size_t MaxComparedStorms = 8;

// Why a storm was not added to the comparison, and why it cannot be saved.
inline const QString NoStormToCompareMessage =
    QStringLiteral("没有雨型可以加入对比~\r\n点击“添加”按钮，添加新曲线");
inline const QString ComparisonFullMessage =
    QStringLiteral("已经有%1个雨型在对比中：请先清除对比").arg(MaxComparedStorms);
inline const QString EmptyComparisonMessage =
    QStringLiteral("没有雨型在对比中~\r\n点击“加入对比”按钮，加入当前雨型");
inline const QString AlreadyComparedMessage = QStringLiteral("当前雨型已经在对比中");

// A storm kept for comparison: as it was computed, with the options of that
// moment (step, interval means, the unit of its table).
struct TComparedStorm {
    TExpressionObject storm;                    // with its totals
    StormUnit stormUnit = MillimetresPerMinute; // the unit `rows` hold their intensities in
    THyetographTable rows;
    // The rows are the means of their steps (Bool_IntervalAverage): a model
    // that holds each row for its step then gets the storm's whole depth.
    bool intervalAverage = false;

    // The intensity of row `row` in the unit `unit` (mm/h, or mm/min for any other code).
    double intensityIn(std::size_t row, StormUnit unit) const;
};

// The largest intensity of all `storms` in the unit `unit`; 0 for none.
double MaxComparedIntensity(const std::vector<TComparedStorm>& storms, StormUnit unit);

// Whether two kept storms are one: the same formula and design values, and
// the same rows (in one unit) with the same interval means. Kept twice, such
// a storm would only be drawn twice over itself.
bool SameComparedStorm(const TComparedStorm& one, const TComparedStorm& other);

// "P=2年 T=120分 r=0.4": the storm's design values in the general number format.
QString ComparedStormLegend(const TExpressionObject& storm, QChar decimalSeparator);
// The legends of `storms`, in their order: ComparedStormLegend, and for
// storms that share P, T and r what tells them apart: " 步长5分" where their
// steps differ, the coefficients that differ (" A1=12 n=0.7", " ln" or " lg"
// for the logarithm of P) and " 时段平均" for interval means.
QStringList ComparedStormLegends(const std::vector<TComparedStorm>& storms, QChar decimalSeparator);
// The legend of the storm shown beside the compared ones: "当前雨型 P=2年 T=120分 r=0.4".
QString ShownStormLegend(const TExpressionObject& storm, QChar decimalSeparator);

// The colour of the storm shown (0xRRGGBB), its line and markers.
inline constexpr unsigned ShownStormColour = 0xFF8000;
// The colour of compared storm i (0xRRGGBB), on the chart and in the workbook:
// Okabe-Ito's blue, bluish green, reddish purple and black, then purple,
// wine, ochre and grey, each at least 3:1 against white and apart from one
// another and from the orange of the storm shown.
inline constexpr unsigned ComparedStormColours[MaxComparedStorms] = {
    0x0072B2, 0x009E73, 0xCC79A7, 0x000000, 0x6A3D9A, 0x882255, 0xB8860B, 0x707070};
// The second four lines are dashed, so that they differ in more than colour.
inline bool ComparedStormDashed(std::size_t i) {
    return i % MaxComparedStorms >= MaxComparedStorms / 2;
}

// The comparison as a table of texts: one line for every minute at which any
// storm has a row, in order, with the time in the time format of `options`
// and per storm its intensity in the unit and decimals of `options`, empty
// where that storm has no row.
struct TComparisonTable {
    struct Line {
        QString time;
        QStringList intensities; // one per storm
        // The storm shown, when the table was made with it; empty where it has no row.
        TResultRowTexts shown;
    };
    QString timeHeading;   // "时间(min)" or "时间(H:M)"
    QStringList legends;   // one per storm
    QString intensityUnit; // "mm/min" or "mm/h": every storm's intensities are in it
    std::vector<Line> lines;

    // The heading of storm `storm`'s intensities: "P=2年 T=120分 r=0.4 (mm/min)".
    QString intensityHeading(qsizetype storm) const;
};

// `shown`, when given, is the table of the storm on the chart (in the unit of
// `options`): its minutes join the lines and its texts fill `Line::shown`.
TComparisonTable ComparisonTable(const std::vector<TComparedStorm>& storms, const TOptions& options,
                                 QChar decimalSeparator, const THyetographTable* shown = nullptr);

// The comparison table as CSV: the time heading and the storms' intensity
// headings, then the lines. Lines end with CR LF.
QString ComparisonCsvText(const std::vector<TComparedStorm>& storms, const TOptions& options,
                          QChar decimalSeparator);

// The name of a storm's series in a SWMM project: "P2_T120_r0.4".
QString SwmmSeriesName(const TExpressionObject& storm);

// The comparison as a part of a SWMM project: a [TIMESERIES] section with one
// series per storm (times in hours:minutes from 00:00, intensities in mm/h
// with the decimals of `options`, "." as separator: the numbers of the single
// SWMM file), and a commented [RAINGAGES] line for each series that reads it
// as intensities at the storm's step. Lines end with CR LF.
QString ComparisonSwmmText(const std::vector<TComparedStorm>& storms, const TOptions& options);

} // namespace velmora
