#include "update_fetch.h"

#include "foreign_text.h"
#include "number_text.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QTimer>

namespace velmora {

namespace {

constexpr int MaxRedirects = 5;

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

// What ended an exchange before the reply finished on its own.
enum class Stop { None, Deadline, TooLong, RedirectElsewhere };

// The reason of a failed exchange, in the words the check has always used.
QString NetworkFailure(const QNetworkReply& reply, bool answered) {
    switch (reply.error()) {
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("找不到服务器“%1”").arg(reply.url().host());
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("服务器拒绝了连接");
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("无法与服务器建立安全连接");
    case QNetworkReply::RemoteHostClosedError:
        return answered ? QStringLiteral("服务器的回答不完整或不是 HTTP 回答")
                        : QStringLiteral("服务器没有回答就断开了连接");
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
        return QStringLiteral("服务器的回答不完整或不是 HTTP 回答");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("服务器转向的次数太多");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QStringLiteral("无法通过代理服务器连接（网络错误%1）").arg(int(reply.error()));
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return QStringLiteral("网络不通，无法连接到服务器");
    default:
        return QStringLiteral("无法与服务器通信（网络错误%1）").arg(int(reply.error()));
    }
}

// The size of the head as Qt holds it (names, values and their separators);
// the body that arrived is counted beside it.
qint64 HeadBytes(const QNetworkReply& reply) {
    qint64 bytes = 0;
    for (const auto& [name, value] : reply.rawHeaderPairs())
        bytes += name.size() + value.size() + 4;
    return bytes;
}

// One query through Qt's network access: the request, the redirects it is
// allowed to follow, and the deadline and size limit over all of them.
class Fetch {
public:
    explicit Fetch(const UpdateServer& server) : server_(server) {}

    Result<HttpBody> run(const QUrl& address) {
        QNetworkAccessManager manager;
        QNetworkRequest request(address);
        request.setRawHeader("Accept", UpdateQueryAccept);
        request.setRawHeader("User-Agent", UpdateQueryUserAgent);
        // Each redirect is looked at before it is followed (see `redirected`).
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::UserVerifiedRedirectPolicy);
        request.setMaximumRedirectsAllowed(MaxRedirects);
        request.setTransferTimeout(static_cast<int>(server_.timeout.count()));
        reply_ = manager.get(request);
        asked_ = address;

        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &loop, [this] { stop(Stop::Deadline); });
        QObject::connect(reply_, &QNetworkReply::redirected, &loop,
                         [this](const QUrl& next) { redirected(next); });
        QObject::connect(reply_, &QNetworkReply::metaDataChanged, &loop, [this] { measure(); });
        QObject::connect(reply_, &QNetworkReply::readyRead, &loop, [this] { measure(); });
        QObject::connect(reply_, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        deadline.start(server_.timeout);
        if (!reply_->isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        Result<HttpBody> outcome = result();
        reply_->disconnect();
        reply_->abort();
        delete reply_;
        return outcome;
    }

private:
    void stop(Stop reason) {
        if (stop_ != Stop::None || reply_->isFinished())
            return;
        stop_ = reason;
        reply_->abort(); // finishes the reply, which ends the loop
    }

    void redirected(const QUrl& next) {
        if (!SameServer(asked_, next)) {
            elsewhere_ = next;
            stop(Stop::RedirectElsewhere);
            return;
        }
        asked_ = next;
        emit reply_->redirectAllowed();
    }

    // Never more than the limit is kept: an answer beyond it is not read on.
    void measure() {
        if (HeadBytes(*reply_) + reply_->bytesAvailable() + body_.size() > server_.maxAnswerBytes) {
            stop(Stop::TooLong);
            return;
        }
        body_ += reply_->readAll();
        answered_ =
            answered_ || reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    }

    Result<HttpBody> result() {
        switch (stop_) {
        case Stop::Deadline:
            return Failure::Error(QStringLiteral("服务器在 %1 秒内没有回答")
                                      .arg(GeneralNumberText(double(server_.timeout.count()) / 1000,
                                                             QLatin1Char('.'))));
        case Stop::TooLong:
            return Failure::Error(QStringLiteral("服务器的回答超过了 %1 KiB，没有读完")
                                      .arg(server_.maxAnswerBytes / 1024));
        case Stop::RedirectElsewhere:
            return Failure::Error(QStringLiteral("服务器把查询转到了别的地址，没有跟随：%1")
                                      .arg(QuotedForeignText(elsewhere_.toString())));
        case Stop::None:
            break;
        }
        measure();
        if (stop_ == Stop::TooLong)
            return result();
        const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (!status.isValid() || reply_->error() == QNetworkReply::RemoteHostClosedError ||
            reply_->error() == QNetworkReply::TimeoutError) {
            if (reply_->error() == QNetworkReply::OperationCanceledError ||
                reply_->error() == QNetworkReply::TimeoutError)
                stop_ = Stop::Deadline; // the transfer timeout, when it came first
            if (stop_ == Stop::Deadline)
                return result();
            return Failure::Error(NetworkFailure(*reply_, answered_));
        }
        const int code = status.toInt();
        // A redirect that ends the exchange is one Qt would not follow (to
        // another scheme than http or https).
        if (const QByteArray location = reply_->rawHeader("Location");
            code >= 300 && code <= 399 && !location.isEmpty()) {
            elsewhere_ = asked_.resolved(QUrl::fromEncoded(location));
            stop_ = Stop::RedirectElsewhere;
            return result();
        }
        if (code < 200 || code > 299) {
            const QString reason = QString::fromLatin1(
                reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
            return Failure::Error(
                QStringLiteral("HTTP %1 %2").arg(code).arg(QuotedForeignText(reason)).trimmed());
        }
        if (reply_->error() != QNetworkReply::NoError)
            return Failure::Error(NetworkFailure(*reply_, answered_));
        return HttpBody{body_, reply_->rawHeader("Content-Type")};
    }

    const UpdateServer& server_;
    QNetworkReply* reply_ = nullptr;
    QUrl asked_; // the address of the request under way, after the redirects followed
    QByteArray body_;
    bool answered_ = false;
    Stop stop_ = Stop::None;
    QUrl elsewhere_;
};

} // namespace

Result<HttpBody> FetchUpdateBody(const UpdateServer& server) {
    // An engineer behind the company's proxy reaches the server through it,
    // as the desktop's browser does.
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    return Fetch(server).run(UpdateQueryAddress(server.base));
}

} // namespace velmora
