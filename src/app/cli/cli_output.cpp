#include "cli_output.h"

namespace velmora::cli {

Failure StormFailure(const QString& storm, const Failure& failure) {
    QString reason = failure.message;
    reason.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Failure::Error(storm + QStringLiteral("：") + reason, failure.kind);
}

} // namespace velmora::cli
