#include "swmm_model_entries.h"

#include "display_text.h"
#include "storm_comparison.h"
#include "swmm_model_names.h"

namespace velmora::swmm {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr int SeriesDecimals = 7;

QByteArray Padded(QByteArray text, qsizetype width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

bool IsNumber(QByteArrayView text) {
    bool number = false;
    static_cast<void>(text.toDouble(&number));
    return number;
}

bool IsDigits(QByteArrayView text) {
    if (text.isEmpty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// "1:05", "25:00": the hours:minutes this editor writes.
bool IsHoursAndMinutes(QByteArrayView text) {
    const qsizetype colon = text.indexOf(':');
    return colon > 0 && IsDigits(text.first(colon)) && IsDigits(text.sliced(colon + 1));
}

bool IsRainFormat(QByteArrayView word) {
    return StartsWithWord(word, "INTENSITY") || StartsWithWord(word, "VOLUME") ||
           StartsWithWord(word, "CUMULATIVE");
}

} // namespace

Result<StormNames> NamesOf(const TSwmmStorm& storm) {
    const Result<QString> series =
        SafeSwmmName(SwmmSeriesName(storm.storm), QStringLiteral("时间序列"));
    if (!series)
        return series.failure();
    const QString gageName =
        storm.gageName.isEmpty() ? QStringLiteral("RG_") + *series : storm.gageName;
    const Result<QString> gage = SafeSwmmName(gageName, QStringLiteral("雨量计"));
    if (!gage)
        return gage.failure();
    return StormNames{series->toLatin1(), gage->toLatin1()};
}

QByteArray SeriesLines(const TSwmmStorm& storm, const StormNames& names, SwmmRainUnit unit,
                       QByteArrayView lineEnd) {
    // Under the column comments SWMM writes: the time under "Time", the value under "Value".
    const QByteArray name = Padded(names.series, 16) + QByteArray(12, ' ');
    const double factor = unit == SwmmRainUnit::InchesPerHour ? 1 / MillimetresPerInch : 1;
    QByteArray lines;
    lines.reserve(static_cast<qsizetype>(storm.rows.size()) * (name.size() + 24));
    for (std::size_t row = 0; row < storm.rows.size(); ++row) {
        lines += name;
        lines += Padded(TimeText(storm.rows[row].time, HoursAndMinutesFormat).toLatin1(), 11);
        lines += QByteArray::number(MillimetresPerHourAt(storm, row) * factor, 'f', SeriesDecimals);
        lines += lineEnd;
    }
    return lines;
}

QByteArray GageLine(const TSwmmStorm& storm, const StormNames& names, QByteArrayView lineEnd) {
    const QByteArray interval = TimeText(SwmmStepMinutes(storm), HoursAndMinutesFormat).toLatin1();
    return Padded(names.gage, 16) + " INTENSITY " + Padded(interval, 8) + " 1.0      TIMESERIES " +
           names.series + lineEnd.toByteArray();
}

QByteArray SectionHead(Section section, QByteArrayView lineEnd) {
    const QByteArray end = lineEnd.toByteArray();
    if (section == Section::RainGages)
        return "[RAINGAGES]" + end + ";;Name           Format    Interval SCF      Source" + end +
               ";;-------------- --------- -------- -------- ----------" + end;
    return "[TIMESERIES]" + end + ";;Name           Date       Time       Value" + end +
           ";;-------------- ---------- ---------- ----------" + end;
}

bool IsOurSeriesLine(const LineTokens& tokens) {
    return tokens.count == 3 && IsHoursAndMinutes(tokens[1].text) && IsNumber(tokens[2].text);
}

bool IsOurGageLine(const LineTokens& tokens, QByteArrayView series) {
    return IsReadableGageLine(tokens) && StartsWithWord(tokens[1].text, "INTENSITY") &&
           StartsWithWord(tokens[4].text, "TIMESERIES") && tokens.count == 6 &&
           SameWord(tokens[5].text, series);
}

bool IsReadableGageLine(const LineTokens& tokens) {
    if (tokens.count < 5 || !IsRainFormat(tokens[1].text) || !TimeMinutes(tokens[2].text) ||
        !IsNumber(tokens[3].text))
        return false;
    if (StartsWithWord(tokens[4].text, "TIMESERIES"))
        return tokens.count >= 6;
    return StartsWithWord(tokens[4].text, "FILE") && tokens.count >= 8;
}

} // namespace velmora::swmm
