#pragma once

#include "result.h"
#include "update_query.h"

#include <QByteArray>

namespace velmora {

// The body of the update script's answer and the type it declares.
struct HttpBody {
    QByteArray body;
    QByteArray contentType; // the Content-Type header's value
};

// One GET of the update script on `server` through Qt's network access, the
// system's proxy settings in force. The whole exchange, redirects included,
// ends by the server's timeout (a timer aborts it; Qt's transfer timeout as
// well), and at most its size limit is received, the head included. A
// redirect is followed only on the same server (same host, scheme and port,
// or https on the same host). Fails with the message to show; an HTTP status
// other than 2xx fails with its status line. While it waits, the thread's
// events go on except the user's input. Qt may send the GET a second time on
// a new connection when a server closed the first before answering.
Result<HttpBody> FetchUpdateBody(const UpdateServer& server);

} // namespace velmora
