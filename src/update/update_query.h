#pragma once

#include "result.h"
#include "update_answer.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

namespace velmora {

// Where the update query goes and what it may cost.
struct UpdateServer {
    // Scheme, host and port of the server; its path and query are not used.
    QUrl base;
    // For the whole check: looking up the host, connecting, every request
    // and every byte of the answers, redirects included.
    std::chrono::milliseconds timeout{10000};
    // An answer longer than this, its head included, is not read to its end.
    qint64 maxAnswerBytes = 64 * 1024;
};

inline const QString UpdateQueryPath = QStringLiteral("/zb_users/upload/quorvel/update.php");
inline const QByteArray UpdateQueryAccept =
    "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
inline const QByteArray UpdateQueryUserAgent = "Mozilla/3.0 (compatible; Indy Library)";

// The maker's server of this build, asked by plain http.
UpdateServer MakerUpdateServer();

// The address the query asks for: `base` with the update script's path.
QUrl UpdateQueryAddress(const QUrl& base);

// Sends the query (one GET, no query string, no body; see FetchUpdateBody)
// and waits for the body, decoded by the character set the answer declares
// (UTF-8 when it declares none). Needs a Qt application object. While it
// waits, the thread's events go on (a window repaints) except the user's
// input. Redirects are followed only on the same server (same host, scheme
// and port, or https on the same host). Fails, with the message to show, on
// any network error, an HTTP error status (its status line), a redirect
// elsewhere, the timeout or an answer above the size limit.
Result<QString> FetchUpdateAnswer(const UpdateServer& server);

// The whole check: query, answer, comparison with this program's version.
Result<std::optional<UpdateOffer>> CheckForUpdate(const UpdateServer& server,
                                                  QChar decimalSeparator);

} // namespace velmora
