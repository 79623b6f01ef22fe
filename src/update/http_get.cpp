#include "http_get.h"

#include <QEventLoop>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

namespace velmora {

namespace {

QByteArray RequestBytes(const QUrl& address,
                        const QList<std::pair<QByteArray, QByteArray>>& headers) {
    QByteArray target = address.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (address.hasQuery())
        target += '?' + address.query(QUrl::FullyEncoded).toLatin1();
    QByteArray host = address.host(QUrl::EncodeUnicode).toLatin1();
    if (address.port() != -1)
        host += ':' + QByteArray::number(address.port());
    QByteArray request = "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n";
    for (const auto& [name, value] : headers)
        request += name + ": " + value + "\r\n";
    // One request on this connection; the server ends the answer by closing it.
    return request + "Connection: close\r\n\r\n";
}

QString SocketFailure(const QAbstractSocket& socket, const QUrl& address) {
    switch (socket.error()) {
    case QAbstractSocket::HostNotFoundError:
        return QStringLiteral("找不到服务器“%1”").arg(address.host());
    case QAbstractSocket::ConnectionRefusedError:
        return QStringLiteral("服务器拒绝了连接");
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return QStringLiteral("无法与服务器建立安全连接");
    case QAbstractSocket::NetworkError:
        return QStringLiteral("网络不通，无法连接到服务器");
    default:
        return QStringLiteral("无法与服务器通信（网络错误%1）").arg(int(socket.error()));
    }
}

// The exchange on one socket, waited for in a local event loop.
class Exchange {
public:
    Exchange(const QUrl& address, qint64 maxBytes) : address_(address), maxBytes_(maxBytes) {}

    HttpExchange run(const QByteArray& request, const QDeadlineTimer& deadline) {
        const bool secure = address_.scheme() == QLatin1String("https");
        if (secure && !QSslSocket::supportsSsl())
            return failed(QStringLiteral("这台电脑上无法使用 https"));
        std::unique_ptr<QTcpSocket> socket =
            secure ? std::make_unique<QSslSocket>() : std::make_unique<QTcpSocket>();
        socket_ = socket.get();
        QEventLoop loop;
        loop_ = &loop;
        QTimer timer;
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop,
                         [this] { finish(HttpExchange::Outcome::TimedOut); });
        QObject::connect(socket_, &QAbstractSocket::readyRead, &loop, [this] { receive(); });
        QObject::connect(socket_, &QAbstractSocket::disconnected, &loop, [this] { closed(); });
        QObject::connect(socket_, &QAbstractSocket::errorOccurred, &loop,
                         [this](QAbstractSocket::SocketError error) {
                             if (error == QAbstractSocket::RemoteHostClosedError)
                                 closed();
                             else
                                 finish(HttpExchange::Outcome::Failed,
                                        SocketFailure(*socket_, address_));
                         });
        const quint16 port = static_cast<quint16>(address_.port(secure ? 443 : 80));
        if (secure) {
            auto* ssl = static_cast<QSslSocket*>(socket_);
            QObject::connect(ssl, &QSslSocket::encrypted, &loop,
                             [this, request] { socket_->write(request); });
            ssl->connectToHostEncrypted(address_.host(), port);
        } else {
            QObject::connect(socket_, &QAbstractSocket::connected, &loop,
                             [this, request] { socket_->write(request); });
            socket_->connectToHost(address_.host(), port);
        }
        timer.start(std::max<qint64>(deadline.remainingTime(), 0));
        if (!finished_)
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        // The application quitting ends every event loop, this one too.
        finish(HttpExchange::Outcome::Failed, QStringLiteral("程序正在退出，没有等到服务器的回答"));
        socket_->disconnect();
        socket_->abort();
        return result_;
    }

private:
    void receive() {
        if (finished_)
            return;
        // Never more than one byte past the limit: enough to know.
        received_ += socket_->read(maxBytes_ + 1 - received_.size());
        if (received_.size() > maxBytes_)
            return finish(HttpExchange::Outcome::TooLong);
        parse(false);
    }
    void closed() {
        if (finished_)
            return;
        receive();
        if (!finished_)
            parse(true);
    }
    void parse(bool closed) {
        ParsedHttpAnswer parsed = ParseHttpAnswer(received_, closed);
        if (parsed.state == ParsedHttpAnswer::State::Complete) {
            result_.answer = std::move(parsed.answer);
            finish(HttpExchange::Outcome::Answered);
        } else if (parsed.state == ParsedHttpAnswer::State::Malformed) {
            finish(HttpExchange::Outcome::Failed,
                   received_.isEmpty() ? QStringLiteral("服务器没有回答就断开了连接")
                                       : QStringLiteral("服务器的回答不完整或不是 HTTP 回答"));
        }
    }
    void finish(HttpExchange::Outcome outcome, const QString& reason = QString()) {
        if (finished_)
            return;
        finished_ = true;
        result_.outcome = outcome;
        result_.reason = reason;
        if (loop_)
            loop_->quit();
    }
    HttpExchange failed(const QString& reason) {
        finish(HttpExchange::Outcome::Failed, reason);
        return result_;
    }

    const QUrl address_;
    const qint64 maxBytes_;
    QTcpSocket* socket_ = nullptr;
    QEventLoop* loop_ = nullptr;
    QByteArray received_;
    bool finished_ = false;
    HttpExchange result_;
};

} // namespace

HttpExchange HttpGet(const QUrl& address, const QList<std::pair<QByteArray, QByteArray>>& headers,
                     const QDeadlineTimer& deadline, qint64 maxBytes) {
    return Exchange(address, maxBytes).run(RequestBytes(address, headers), deadline);
}

} // namespace velmora
