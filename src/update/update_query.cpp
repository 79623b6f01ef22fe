#include "update_query.h"

#include "foreign_text.h"
#include "http_get.h"
#include "maker.h"
#include "number_text.h"

#include <QStringDecoder>

#ifdef Q_OS_WIN
#include "platform_windows.h"
#endif

namespace velmora {

namespace {

Failure TooLongFailure(qint64 maxAnswerBytes) {
    return Failure::Error(
        QStringLiteral("服务器的回答超过了 %1 KiB，没有读完").arg(maxAnswerBytes / 1024));
}

// The charset parameter of a Content-Type value, or nothing.
QByteArray DeclaredCharset(const QByteArray& contentType) {
    for (const QByteArray& parameter : contentType.split(';')) {
        const QByteArray trimmed = parameter.trimmed();
        if (trimmed.toLower().startsWith("charset=")) {
            QByteArray name = trimmed.mid(8).trimmed();
            if (name.size() >= 2 && name.startsWith('"') && name.endsWith('"'))
                name = name.mid(1, name.size() - 2);
            return name;
        }
    }
    return {};
}

Result<QString> DecodeBody(const QByteArray& body, const QByteArray& contentType) {
    const QByteArray charset = DeclaredCharset(contentType);
#ifdef Q_OS_WIN
    // Qt has no converter for the Chinese pages on Windows (no ICU there);
    // Windows' own code page 936 reads GBK and GB2312.
    const QByteArray name = charset.toLower();
    if (name == "gbk" || name == "gb2312" || name == "cp936" || name == "windows-936" ||
        name == "x-gbk")
        return windows::FromCodePage936(body);
#endif
    QStringDecoder decoder = charset.isEmpty() ? QStringDecoder(QStringDecoder::Utf8)
                                               : QStringDecoder(charset.constData());
    if (!decoder.isValid())
        return Failure::Error(QStringLiteral("服务器的回答使用了不认识的字符集：%1")
                                  .arg(QuotedForeignText(QString::fromLatin1(charset))));
    return QString(decoder.decode(body));
}

// "HTTP 404 Not Found": the status code and the reason the server gave.
QString StatusLine(const HttpAnswer& answer) {
    return QStringLiteral("HTTP %1 %2")
        .arg(answer.status)
        .arg(QuotedForeignText(QString::fromLatin1(answer.reason)))
        .trimmed();
}

bool IsRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// A redirect is followed only on the server that was asked: the same host,
// by the same scheme and port, or by https.
bool SameServer(const QUrl& asked, const QUrl& next) {
    if (next.host().compare(asked.host(), Qt::CaseInsensitive) != 0 || next.host().isEmpty())
        return false;
    if (next.scheme() == QLatin1String("https") && asked.scheme() == QLatin1String("http"))
        return true;
    const int defaultPort = asked.scheme() == QLatin1String("https") ? 443 : 80;
    return next.scheme() == asked.scheme() && next.port(defaultPort) == asked.port(defaultPort);
}

constexpr int MaxRedirects = 5;

} // namespace

UpdateServer MakerUpdateServer() {
    QUrl base(QStringLiteral(VELMORA_MAKER_ADDRESS));
    base.setScheme(QStringLiteral("http"));
    return UpdateServer{base};
}

QUrl UpdateQueryAddress(const QUrl& base) {
    QUrl address;
    address.setScheme(base.scheme());
    address.setHost(base.host());
    address.setPort(base.port());
    address.setPath(UpdateQueryPath);
    return address;
}

Result<QString> FetchUpdateAnswer(const UpdateServer& server) {
    const QList<std::pair<QByteArray, QByteArray>> headers = {{"Accept", UpdateQueryAccept},
                                                              {"User-Agent", UpdateQueryUserAgent}};
    // One deadline for the whole check, redirects included.
    const QDeadlineTimer deadline(server.timeout);
    QUrl address = UpdateQueryAddress(server.base);
    for (int redirects = 0;; ++redirects) {
        const HttpExchange exchange = HttpGet(address, headers, deadline, server.maxAnswerBytes);
        switch (exchange.outcome) {
        case HttpExchange::Outcome::Answered:
            break;
        case HttpExchange::Outcome::TimedOut:
            return Failure::Error(QStringLiteral("服务器在 %1 秒内没有回答")
                                      .arg(GeneralNumberText(double(server.timeout.count()) / 1000,
                                                             QLatin1Char('.'))));
        case HttpExchange::Outcome::TooLong:
            return TooLongFailure(server.maxAnswerBytes);
        case HttpExchange::Outcome::Failed:
            return Failure::Error(exchange.reason);
        }
        const HttpAnswer& answer = exchange.answer;
        if (IsRedirect(answer.status) && !answer.location.isEmpty()) {
            const QUrl next = address.resolved(QUrl::fromEncoded(answer.location));
            if (!SameServer(address, next))
                return Failure::Error(QStringLiteral("服务器把查询转到了别的地址，没有跟随：%1")
                                          .arg(QuotedForeignText(next.toString())));
            if (redirects == MaxRedirects)
                return Failure::Error(QStringLiteral("服务器转向的次数太多"));
            address = next;
            continue;
        }
        if (answer.status < 200 || answer.status > 299)
            return Failure::Error(StatusLine(answer));
        return DecodeBody(answer.body, answer.contentType);
    }
}

Result<std::optional<UpdateOffer>> CheckForUpdate(const UpdateServer& server,
                                                  QChar decimalSeparator) {
    const Result<QString> body = FetchUpdateAnswer(server);
    if (!body)
        return body.failure();
    const Result<UpdateAnswer> answer = ParseUpdateAnswer(*body);
    if (!answer)
        return answer.failure();
    return EvaluateUpdateAnswer(*answer, decimalSeparator);
}

} // namespace velmora
