#include "swmm_model_options.h"

#include "foreign_text.h"

#include <QDate>

namespace velmora {

QString SwmmRainUnitText(SwmmRainUnit unit) {
    return unit == SwmmRainUnit::MillimetresPerHour ? QStringLiteral("mm/hr")
                                                    : QStringLiteral("in/hr");
}

namespace swmm {

namespace {

// SWMM's flow units in its order, US units first.
const char* const FlowUnitWords[] = {"CFS", "GPM", "MGD", "CMS", "LPS", "MLD"};
constexpr int FirstSiFlowUnit = 3;

// SWMM's defaults: the simulation starts and ends on 1/1/2004 at 0:00.
constexpr qint64 DefaultDateDays = 2453006; // QDate(2004, 1, 1).toJulianDay()

// A whole number at `at`, as sscanf's %d reads it (a sign, then digits).
std::optional<int> ReadInteger(QByteArrayView text, qsizetype& at) {
    const qsizetype begin = at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+'))
        ++at;
    const qsizetype digits = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - digits < 9)
        ++at;
    if (at == digits) {
        at = begin;
        return std::nullopt;
    }
    return text.sliced(begin, at - begin).toInt();
}

std::optional<int> MonthOfName(QByteArrayView name) {
    static const char* const Months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int month = 0; month < 12; ++month)
        if (SameWord(name, QByteArrayView(Months[month])))
            return month + 1;
    return std::nullopt;
}

// A date as SWMM reads an option's: month/day/year, the month as a number or
// its English abbreviation, "/" or "-" between. In days.
std::optional<qint64> DateDays(QByteArrayView text) {
    if (!text.contains('/') && !text.contains('-'))
        return std::nullopt;
    qsizetype at = 0;
    std::optional<int> month = ReadInteger(text, at);
    if (!month && text.size() >= 3) {
        month = MonthOfName(text.first(3));
        at = 3;
    }
    if (!month || ++at > text.size())
        return std::nullopt;
    const std::optional<int> day = ReadInteger(text, at);
    if (!day || ++at > text.size())
        return std::nullopt;
    const std::optional<int> year = ReadInteger(text, at);
    const QDate date(year.value_or(0), *month, day.value_or(0));
    if (!year || *year < 1 || !date.isValid())
        return std::nullopt;
    return date.toJulianDay();
}

// A date and a time in minutes, SWMM's default date when there is none.
template <typename Value>
std::optional<double> Moment(const std::optional<Value>& date, const std::optional<Value>& time) {
    const std::optional<qint64> days = date ? DateDays(date->text) : DefaultDateDays;
    const std::optional<double> minutes = time ? TimeMinutes(time->text) : 0.0;
    if (!days || !minutes)
        return std::nullopt;
    return static_cast<double>(*days) * 24 * 60 + *minutes;
}

} // namespace

std::optional<double> TimeMinutes(QByteArrayView text) {
    bool decimal = false;
    const double hours = text.toDouble(&decimal);
    if (decimal)
        return hours * 60;
    qsizetype at = 0;
    const std::optional<int> hour = ReadInteger(text, at);
    int parts[2] = {0, 0};
    for (int& part : parts) {
        if (at >= text.size() || text[at] != ':')
            break;
        ++at;
        const std::optional<int> value = ReadInteger(text, at);
        if (!value)
            break;
        part = *value;
    }
    if (!hour || *hour < 0 || parts[0] < 0 || parts[1] < 0)
        return std::nullopt;
    return *hour * 60.0 + parts[0] + parts[1] / 60.0;
}

void OptionsReader::read(const LineTokens& tokens, qsizetype lineNumber) {
    if (tokens.count < 2)
        return;
    const std::pair<const char*, std::optional<Value>*> keys[] = {
        {"FLOW_UNITS", &flowUnits_}, {"START_DATE", &startDate_}, {"START_TIME", &startTime_},
        {"END_DATE", &endDate_},     {"END_TIME", &endTime_},
    };
    for (const auto& [key, value] : keys)
        if (StartsWithWord(tokens[0].text, QByteArrayView(key))) {
            *value = Value{tokens[1].text.toByteArray(), lineNumber};
            return;
        }
}

Result<ModelOptions> OptionsReader::options() const {
    ModelOptions options;
    options.flowUnits = QStringLiteral("CFS");
    if (flowUnits_) {
        int unit = 0;
        while (unit < 6 && !StartsWithWord(flowUnits_->text, QByteArrayView(FlowUnitWords[unit])))
            ++unit;
        if (unit == 6)
            return Failure{QStringLiteral("模型第%1行的流量单位FLOW_UNITS“%2”无法识别，"
                                          "不能确定降雨强度的单位")
                               .arg(flowUnits_->lineNumber)
                               .arg(QuotedForeignText(FileText(flowUnits_->text))),
                           FailureKind::BadValue};
        options.flowUnits = QString::fromLatin1(FlowUnitWords[unit]);
        options.flowUnitsGiven = true;
        if (unit >= FirstSiFlowUnit)
            options.rainUnit = SwmmRainUnit::MillimetresPerHour;
    }
    const std::optional<double> start = Moment(startDate_, startTime_);
    const std::optional<double> end = Moment(endDate_, endTime_);
    if (start && end)
        options.simulationMinutes = *end - *start;
    return options;
}

} // namespace swmm

} // namespace velmora
