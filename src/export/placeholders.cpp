#include "placeholders.h"

#include "display_text.h"

namespace velmora {

QString ReplacePlaceholders(QString text, const std::vector<TReplacement>& replacements,
                            Qt::CaseSensitivity matching) {
    for (const TReplacement& replacement : replacements) {
        // QString::replace would put the value between every two characters.
        if (!replacement.placeholder.isEmpty())
            text.replace(replacement.placeholder, replacement.value, matching);
    }
    return text;
}

void AddTableHeadingReplacements(std::vector<TReplacement>& replacements, const TOptions& options) {
    if (const std::optional<QString> unit = IntensityUnitText(options.Int_StormUnitidx))
        replacements.push_back({QStringLiteral("<!--Storm_Unit-->"), *unit});
    if (options.Int_TimeForamtidx == HoursAndMinutesFormat ||
        options.Int_TimeForamtidx == MinutesFormat)
        replacements.push_back(
            {QStringLiteral("<!--时间格式-->"), options.Int_TimeForamtidx == HoursAndMinutesFormat
                                                    ? QStringLiteral("H:M")
                                                    : QStringLiteral("min")});
}

} // namespace velmora
