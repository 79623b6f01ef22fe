#pragma once

#include <QByteArray>

namespace velmora {

// An HTTP/1.1 answer as far as the update check reads it.
struct HttpAnswer {
    int status = 0;
    QByteArray reason;      // the status line's reason phrase, as received
    QByteArray contentType; // the Content-Type header's value
    QByteArray location;    // the Location header's value (redirects)
    QByteArray body;        // without chunk framing
};

struct ParsedHttpAnswer {
    enum class State { Incomplete, Complete, Malformed };
    State state = State::Incomplete;
    HttpAnswer answer;
};

// Reads the bytes received so far on one connection. `closed`: the server
// has closed it, so nothing more comes (an answer without a length ends
// there; one cut short is malformed). Interim 1xx answers are skipped; the
// body is framed by Transfer-Encoding: chunked, by Content-Length or by the
// end of the connection.
ParsedHttpAnswer ParseHttpAnswer(const QByteArray& received, bool closed);

} // namespace velmora
