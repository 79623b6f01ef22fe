#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace velmora {

inline const QString DefaultAxisFontText = QStringLiteral("\"Arial\", 9, [], [clBlack]");
inline const QString DefaultInfoFontText = QStringLiteral("\"Arial\", 9, [Bold], [clWindowText]");

// The codes of the time format and the unit, as the fields and the options
// file hold them. The underlying type is the field's, so that any other
// value an edited file holds is kept; it is read as the second.
enum TimeFormat : std::int32_t { HoursAndMinutesFormat = 0, MinutesFormat = 1 };
enum StormUnit : std::int32_t { MillimetresPerHour = 0, MillimetresPerMinute = 1 };

// Every display and calculation option. The fonts are kept as font text and
// turned into fonts only where they are applied.
struct TOptions {
    bool Bool_ShowLabel_P = true;
    bool Bool_ShowLabel_T = true;
    bool Bool_ShowLabel_R = true;
    bool Bool_ShowLabel_Overall_Rainfall = true;
    bool Bool_ShowLabel_Average_Rainfall_Intensity = true;
    bool Bool_ShowAxis_Overall_Rainfall = true;
    bool Bool_ShowAxis_Rainfall_Intensity = true;
    bool Bool_CalcByShow = false;
    // Rows hold the mean intensity of their step rather than that of their
    // minute, so that rows × step add up to the total (see CalcHyetograph).
    bool Bool_IntervalAverage = false;
    // The calculation report ends with the check of the storm against its formula.
    bool Bool_ReportIdfCheck = false;
    std::int32_t Int_Precision = 4;                    // decimals shown; the dialog offers 1..99
    double D_QI_ConversionRatio = 167.0;               // one of QIConversionRatios
    TimeFormat Int_TimeForamtidx = MinutesFormat;      // or HoursAndMinutesFormat
    StormUnit Int_StormUnitidx = MillimetresPerMinute; // or MillimetresPerHour
    QString Font_LeftAxis = DefaultAxisFontText;
    QString Font_LeftTitle = DefaultAxisFontText;
    QString Font_RightAxis = DefaultAxisFontText;
    QString Font_RightTitle = DefaultAxisFontText;
    QString Font_BottomAxis = DefaultAxisFontText;
    QString Font_BottomTitle = DefaultAxisFontText;
    QString Font_RainModelInfo = DefaultInfoFontText;

    bool operator==(const TOptions&) const = default;
};

// The q-i factors offered by the options dialog, in its order. The last one is
// not a factor but the marker of exact conversion (1 mm/min = 1000/6 L/(s·hm²)):
// any factor below 166 selects it.
inline constexpr std::array<double, 6> QIConversionRatios = {167.0,   166.7,    166.67,
                                                             166.667, 166.6667, 0.006};

// The entries of the options dialog's q-i list, in the order of the factors.
inline const std::array<QString, 6> QIConversionRatioCaptions = {
    QStringLiteral("q = 167 * i"),      QStringLiteral("q = 166.7 * i"),
    QStringLiteral("q = 166.67 * i"),   QStringLiteral("q = 166.667 * i"),
    QStringLiteral("q = 166.6667 * i"), QStringLiteral("---最高精度---")};

// Whether `qiRatio` is the marker of exact conversion rather than a factor.
bool IsExactQIConversion(double qiRatio);
// The flow form's coefficient for an intensity-form coefficient x, and back.
double ConvertIToQ(double x, double qiRatio);
double ConvertQToI(double x, double qiRatio);

// `options` with the time format and unit SWMM reads: hours and minutes, mm/h.
TOptions WithSwmmUnits(TOptions options);

// The number of decimals to format with: a hand-edited file may hold any
// integer, so it is held within 0..99 wherever it is used.
int EffectivePrecision(const TOptions& options);

} // namespace velmora
