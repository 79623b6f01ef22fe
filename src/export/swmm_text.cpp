#include "swmm_text.h"

namespace velmora {

QString SwmmText(const std::vector<TResultRowTexts>& rows) {
    const QString lineEnd = QStringLiteral("\r\n");
    QString text = QStringLiteral(";;时间(时:分)  数值(毫米/时)") + lineEnd +
                   QStringLiteral(";;------------ ------------") + lineEnd;
    text.reserve(text.size() + static_cast<qsizetype>(rows.size()) * 28);
    for (const TResultRowTexts& row : rows)
        text += row.time.leftJustified(16, QLatin1Char(' ')) + row.intensity + lineEnd;
    return text;
}

} // namespace velmora
