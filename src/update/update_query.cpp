#include "update_query.h"

#include "maker.h"
#include "number_text.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStringDecoder>
#include <QTimer>

#include <memory>

namespace velmora {

namespace {

QString Failed(const QString& reason) {
    return QStringLiteral("出错：") + reason;
}

QString TooLongMessage(qint64 maxAnswerBytes) {
    return Failed(QStringLiteral("服务器的回答超过了 %1 KiB，没有读完").arg(maxAnswerBytes / 1024));
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
    QStringDecoder decoder = charset.isEmpty() ? QStringDecoder(QStringDecoder::Utf8)
                                               : QStringDecoder(charset.constData());
    if (!decoder.isValid())
        return Failure{Failed(QStringLiteral("服务器的回答使用了不认识的字符集：%1")
                                  .arg(QString::fromLatin1(charset)))};
    return QString(decoder.decode(body));
}

// "HTTP 404 Not Found": the status code and the reason the server gave.
QString StatusLine(const QNetworkReply& reply) {
    const int code = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reason = reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    return QStringLiteral("HTTP %1 %2").arg(code).arg(reason).trimmed();
}

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
    QNetworkAccessManager manager;
    manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkRequest request(UpdateQueryAddress(server.base));
    request.setRawHeader("Accept", UpdateQueryAccept);
    request.setRawHeader("User-Agent", UpdateQueryUserAgent);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setMaximumRedirectsAllowed(5);

    QNetworkReply* reply = manager.get(request);
    QByteArray body;
    bool tooLong = false;
    bool timedOut = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        // Read no more than one byte past the limit: enough to know.
        body += reply->read(server.maxAnswerBytes + 1 - body.size());
        if (body.size() > server.maxAnswerBytes) {
            tooLong = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(server.timeout);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    const std::unique_ptr<QNetworkReply> owned(reply);
    // The application quitting ends every event loop, this one too.
    if (!reply->isFinished()) {
        reply->abort();
        return Failure{Failed(QStringLiteral("程序正在退出，没有等到服务器的回答"))};
    }
    if (tooLong)
        return Failure{TooLongMessage(server.maxAnswerBytes)};
    if (timedOut)
        return Failure{Failed(
            QStringLiteral("服务器在 %1 秒内没有回答")
                .arg(GeneralNumberText(double(server.timeout.count()) / 1000, QLatin1Char('.'))))};
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299))
        return Failure{Failed(StatusLine(*reply))};
    if (reply->error() != QNetworkReply::NoError)
        return Failure{Failed(reply->errorString())};
    body += reply->readAll();
    if (body.size() > server.maxAnswerBytes)
        return Failure{TooLongMessage(server.maxAnswerBytes)};
    return DecodeBody(body, reply->rawHeader("Content-Type"));
}

Result<std::optional<UpdateOffer>> CheckForUpdate(const UpdateServer& server,
                                                  QChar decimalSeparator) {
    const Result<QString> body = FetchUpdateAnswer(server);
    if (!body)
        return Failure{body.message()};
    const Result<UpdateAnswer> answer = ParseUpdateAnswer(*body);
    if (!answer)
        return Failure{answer.message()};
    return EvaluateUpdateAnswer(*answer, decimalSeparator);
}

} // namespace velmora
