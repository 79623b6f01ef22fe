#include "swmm_model_names.h"

#include "foreign_text.h"

namespace velmora {

namespace {

bool SeparatesOrComments(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char(';') ||
           c == QLatin1Char('"');
}

bool IsPrintableAscii(QChar c) {
    return c.unicode() > 0x20 && c.unicode() < 0x7F;
}

} // namespace

Result<QString> SafeSwmmName(const QString& name, const QString& what) {
    QString safe = name;
    for (QChar& c : safe)
        if (SeparatesOrComments(c))
            c = QLatin1Char('_');
    if (safe.isEmpty())
        return Failure{QStringLiteral("%1名称为空").arg(what), FailureKind::BadValue};
    const QString quoted = QuotedForeignText(name);
    for (const QChar c : safe)
        if (!IsPrintableAscii(c))
            return Failure{QStringLiteral("%1名称“%2”含有字符“%3”：SWMM的名称只能用英文字母、"
                                          "数字和英文符号")
                               .arg(what, quoted, QuotedForeignText(QString(c))),
                           FailureKind::BadValue};
    if (safe.size() > MaxSwmmNameLength)
        return Failure{QStringLiteral("%1名称“%2”有%3个字符，SWMM的名称最多%4个字符")
                           .arg(what, quoted)
                           .arg(safe.size())
                           .arg(MaxSwmmNameLength),
                       FailureKind::BadValue};
    if (safe.startsWith(QLatin1Char('[')))
        return Failure{
            QStringLiteral("%1名称“%2”以“[”开头：SWMM会把这一行当作节标题").arg(what, quoted),
            FailureKind::BadValue};
    return safe;
}

} // namespace velmora
