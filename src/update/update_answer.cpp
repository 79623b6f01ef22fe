#include "update_answer.h"

#include "foreign_text.h"
#include "maker.h"
#include "number_text.h"

#include <QStringList>

namespace velmora {

const QString ProgramVersion = QStringLiteral(VELMORA_VERSION);

namespace {

const QString EndMarker = QStringLiteral("@@@@@@");

// The lines of `text`; a line break at the very end does not start another line.
QStringList Lines(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

} // namespace

Result<UpdateAnswer> ParseUpdateAnswer(const QString& body) {
    const qsizetype end = body.indexOf(EndMarker);
    const QStringList lines = Lines(end < 0 ? QString() : body.left(end));
    if (lines.isEmpty())
        return Failure::Error(QStringLiteral("服务器的回答里没有版本号（第1行）"));
    if (lines.size() < 2)
        return Failure::Error(QStringLiteral("服务器的回答里没有更新页面的地址（第2行）"));
    UpdateAnswer answer{lines[0].trimmed(), lines[1].trimmed(), QString()};
    for (qsizetype i = 2; i < lines.size(); ++i)
        answer.notes += lines[i] + QStringLiteral("\r\n");
    return answer;
}

Result<std::optional<UpdateOffer>> EvaluateUpdateAnswer(const UpdateAnswer& answer,
                                                        QChar decimalSeparator) {
    const std::optional<double> latest = ParseDecimalNumber(answer.version, decimalSeparator);
    if (!latest)
        return Failure::Error(QStringLiteral("'%1' is not a valid floating point value")
                                  .arg(QuotedForeignText(answer.version)));
    // Our own version is written with "." whatever the user's number format.
    const double current = *ParseDecimalNumber(ProgramVersion, QLatin1Char('.'));
    if (!(*latest > current))
        return std::optional<UpdateOffer>();

    // The page goes to the desktop's default handler: a web page only, never
    // a local file, a script or a program's own scheme.
    const QUrl page(answer.link, QUrl::StrictMode);
    const QString scheme = page.scheme();
    if (!page.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        page.host().isEmpty())
        return Failure::Error(QStringLiteral("更新页面的地址不是网页地址（http 或 https）：%1")
                                  .arg(QuotedForeignText(answer.link)));
    // A name and password in the address would be handed to the browser and
    // shown as if the page were another server's ("http://maker.com@elsewhere").
    if (!page.userInfo().isEmpty())
        return Failure::Error(QStringLiteral("更新页面的地址含有用户名或密码，没有打开：%1")
                                  .arg(QuotedForeignText(answer.link)));
    return std::optional<UpdateOffer>(UpdateOffer{answer.version, answer.notes, page});
}

QString UpdateNewsText(const UpdateOffer& offer) {
    return QStringLiteral("新版本：Ver%1 已经发布~\r\n更新内容:\r\n%2\r\n")
        .arg(QuotedForeignText(offer.version), offer.notes);
}

QString UpdateQuestionText(const UpdateOffer& offer) {
    return UpdateNewsText(offer) + QStringLiteral("是否立即查看？");
}

} // namespace velmora
