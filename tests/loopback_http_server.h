#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QSslConfiguration>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace velmora::testing {

// An HTTP server on 127.0.0.1 inside the test process. It serves while the
// thread's event loop runs (the update check's own loop does), records every
// request and answers each with the bytes `respond` gives, then closes the
// connection; no bytes: it keeps the connection open and never answers.
class LoopbackHttpServer final : public QObject {
public:
    struct Request {
        QByteArray method;
        QByteArray target;
        QByteArray version;
        std::vector<std::pair<QByteArray, QByteArray>> headers;
        QByteArray body;

        // The values of every header called `name` (letter case ignored).
        QList<QByteArray> header(const QByteArray& name) const {
            QList<QByteArray> values;
            for (const auto& [key, value] : headers)
                if (key.compare(name, Qt::CaseInsensitive) == 0)
                    values << value;
            return values;
        }
    };

    std::function<std::optional<QByteArray>(const Request&)> respond;
    std::vector<Request> requests;

    // On 127.0.0.1, or on another loopback address (127.0.0.2: "another
    // host"); with `tls`, an https server of that certificate.
    explicit LoopbackHttpServer(const QHostAddress& address = QHostAddress(QHostAddress::LocalHost),
                                const std::optional<QSslConfiguration>& tls = std::nullopt)
        : server_(tls ? std::make_unique<QSslServer>() : std::make_unique<QTcpServer>()),
          scheme_(tls ? QStringLiteral("https") : QStringLiteral("http")) {
        if (tls)
            static_cast<QSslServer&>(*server_).setSslConfiguration(*tls);
        QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket* socket = server_->nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, this,
                                 [this, socket] { read(socket); });
        });
        listening_ = server_->listen(address, 0);
    }

    bool listening() const { return listening_; }
    QUrl base() const {
        return QUrl(QStringLiteral("%1://%2:%3")
                        .arg(scheme_, server_->serverAddress().toString())
                        .arg(server_->serverPort()));
    }

    // A whole answer: status line, Content-Length, Connection: close, the
    // extra header lines (each ending in CR LF), an empty line, the body.
    static QByteArray
    Answer(int status, const QByteArray& reason, const QByteArray& body,
           const QByteArray& extraHeaders = "Content-Type: text/html; charset=utf-8\r\n") {
        return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
               "\r\nContent-Length: " + QByteArray::number(body.size()) +
               "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
    }

private:
    void read(QTcpSocket* socket) {
        QByteArray& pending = pending_[socket];
        pending += socket->readAll();
        const qsizetype headEnd = pending.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = pending.left(headEnd).split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        request.version = requestLine.value(2);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.emplace_back(line.left(colon), line.mid(colon + 1).trimmed());
        }
        request.body = pending.mid(headEnd + 4);
        pending.clear();
        requests.push_back(request);
        if (const std::optional<QByteArray> answer = respond ? respond(request) : std::nullopt) {
            socket->write(*answer);
            socket->disconnectFromHost();
        }
    }

    std::unique_ptr<QTcpServer> server_;
    QString scheme_;
    bool listening_ = false;
    std::map<QTcpSocket*, QByteArray> pending_;
};

} // namespace velmora::testing
