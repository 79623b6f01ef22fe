#include "placeholders.h"

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

} // namespace velmora
