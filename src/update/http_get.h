#pragma once

#include "http_response.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <QUrl>

#include <utility>

namespace velmora {

struct HttpExchange {
    enum class Outcome { Answered, TimedOut, TooLong, Failed };
    Outcome outcome = Outcome::Failed;
    HttpAnswer answer; // when answered
    QString reason;    // when failed: why, in the user's language
};

// One GET of `address` (http or https) with `headers`, on one connection that
// is closed afterwards. The whole exchange (looking up the host, connecting,
// the request, the status line, the headers and the body) ends by `deadline`,
// and at most `maxBytes` are received, the head included; nothing is sent
// twice, also when the server closes the connection early. While it waits,
// the thread's events go on except the user's input.
HttpExchange HttpGet(const QUrl& address, const QList<std::pair<QByteArray, QByteArray>>& headers,
                     const QDeadlineTimer& deadline, qint64 maxBytes);

} // namespace velmora
