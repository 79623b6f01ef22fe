#include "error_reason.h"
#include "foreign_text.h"
#include "loopback_http_server.h"
#include "qstring_printer.h"
#include "update_query.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTimer>

#include <gtest/gtest.h>

using namespace velmora;
using velmora::testing::LoopbackHttpServer;

namespace {

// The check against a server that answers every request with `answer`
// (nothing: never answers).
struct Checked {
    Result<std::optional<UpdateOffer>> outcome;
    std::vector<LoopbackHttpServer::Request> requests;
};

Checked
CheckAgainst(std::function<std::optional<QByteArray>(const LoopbackHttpServer::Request&)> respond,
             std::chrono::milliseconds timeout = std::chrono::seconds(10),
             QChar separator = QLatin1Char('.')) {
    LoopbackHttpServer server;
    EXPECT_TRUE(server.listening());
    server.respond = std::move(respond);
    UpdateServer target{server.base(), timeout};
    auto outcome = CheckForUpdate(target, separator);
    return {std::move(outcome), server.requests};
}

Checked CheckAnswer(const QByteArray& answer) {
    return CheckAgainst([answer](const auto&) { return answer; });
}

QByteArray Ok(const QByteArray& body) {
    return LoopbackHttpServer::Answer(200, "OK", body);
}

} // namespace

TEST(UpdateCheck, SendsOneGetOfTheScriptWithBothHeaders) {
    const Checked checked = CheckAnswer(Ok("2.11\r\nhttp://www.example.com/\r\n@@@@@@"));
    ASSERT_EQ(checked.requests.size(), 1u);
    const auto& request = checked.requests[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/zb_users/upload/quorvel/update.php");
    EXPECT_EQ(request.version, "HTTP/1.1");
    EXPECT_EQ(request.header("Accept"),
              QList<QByteArray>{"text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"});
    EXPECT_EQ(request.header("User-Agent"),
              QList<QByteArray>{"Mozilla/3.0 (compatible; Indy Library)"});
    EXPECT_TRUE(request.header("Content-Length").isEmpty());
    EXPECT_TRUE(request.body.isEmpty());
}

TEST(UpdateCheck, TheAnswersVersionDecides) {
    const struct {
        const char* answer;
        const char* newer; // the version offered; nullptr: up to date
    } cases[] = {
        {"2.11\r\nhttp://www.example.com/v\r\n@@@@@@", nullptr},
        {"2.105\nhttp://www.example.com/v\n@@@@@@", nullptr},
        {"  2.11  \rhttp://www.example.com/v\r@@@@@@", nullptr},
        {"1\r\nhttp://www.example.com/v\r\n@@@@@@", nullptr},
        {"2.2\r\nhttp://www.example.com/v\r\n@@@@@@", "2.2"},
        {"2.9\nhttps://www.example.com/v\n@@@@@@", "2.9"},
        {"  3 \r\n https://www.example.com/v \r\n@@@@@@", "3"},
    };
    for (const auto& c : cases) {
        const Checked checked = CheckAnswer(Ok(c.answer));
        ASSERT_TRUE(checked.outcome.ok())
            << c.answer << ": " << checked.outcome.message().toStdString();
        if (!c.newer) {
            EXPECT_FALSE(checked.outcome->has_value()) << c.answer;
            continue;
        }
        ASSERT_TRUE(checked.outcome->has_value()) << c.answer;
        EXPECT_EQ((*checked.outcome)->version, QString::fromLatin1(c.newer));
        EXPECT_EQ((*checked.outcome)->page.host(), QStringLiteral("www.example.com"));
    }
}

TEST(UpdateCheck, NotesAreTheLinesAfterTheLinkEachWithALineBreak) {
    const Checked checked = CheckAgainst([](const auto&) {
        return LoopbackHttpServer::Answer(
            200, "OK",
            QStringLiteral("2.2\r\nhttp://www.example.com/velmora?v=2.2\r\n"
                           "修正了图表\n  新增了导出\r\n@@@@@@\r\n<html>别的</html>")
                .toUtf8());
    });
    ASSERT_TRUE(checked.outcome.ok()) << checked.outcome.message().toStdString();
    ASSERT_TRUE(checked.outcome->has_value());
    const UpdateOffer& offer = **checked.outcome;
    EXPECT_EQ(offer.page, QUrl(QStringLiteral("http://www.example.com/velmora?v=2.2")));
    EXPECT_EQ(offer.notes, QStringLiteral("修正了图表\r\n  新增了导出\r\n"));
    EXPECT_EQ(UpdateQuestionText(offer),
              QStringLiteral("新版本：Ver2.2 已经发布~\r\n更新内容:\r\n修正了图表\r\n  "
                             "新增了导出\r\n\r\n是否立即查看？"));
}

TEST(UpdateCheck, TheBodyIsDecodedByTheDeclaredCharacterSet) {
    const QByteArray gbk =
        "2.2\r\nhttp://www.example.com/\r\n\xD0\xC2\xB0\xE6\r\n@@@@@@"; // 新版 in GBK
    const Checked checked = CheckAnswer(
        LoopbackHttpServer::Answer(200, "OK", gbk, "Content-Type: text/plain; charset=GBK\r\n"));
    ASSERT_TRUE(checked.outcome.ok()) << checked.outcome.message().toStdString();
    EXPECT_EQ((*checked.outcome)->notes, QStringLiteral("新版\r\n"));
}

TEST(UpdateCheck, FailuresSayWhy) {
    const struct {
        QByteArray answer;
        QString message;
    } cases[] = {
        {Ok("2.2\r\nhttp://www.example.com/\r\nno end marker"),
         QStringLiteral("服务器的回答里没有版本号（第1行）")},
        {Ok("@@@@@@2.2\r\nhttp://www.example.com/"),
         QStringLiteral("服务器的回答里没有版本号（第1行）")},
        {Ok("2.2\r\n@@@@@@"), QStringLiteral("服务器的回答里没有更新页面的地址（第2行）")},
        {Ok("v2.2\r\nhttp://www.example.com/\r\n@@@@@@"),
         QStringLiteral("'v2.2' is not a valid floating point value")},
        {Ok("2,2\r\nhttp://www.example.com/\r\n@@@@@@"),
         QStringLiteral("'2,2' is not a valid floating point value")},
        {Ok("2.2\r\nfile:///etc/passwd\r\n@@@@@@"),
         QStringLiteral("更新页面的地址不是网页地址（http 或 https）：file:///etc/passwd")},
        {Ok("2.2\r\njavascript:alert(1)\r\n@@@@@@"),
         QStringLiteral("更新页面的地址不是网页地址（http 或 https）：javascript:alert(1)")},
        {Ok("2.2\r\n\r\n@@@@@@"), QStringLiteral("更新页面的地址不是网页地址（http 或 https）：")},
        // A name and password would show the page as another server's.
        {Ok("2.2\r\nhttp://www.example.com:x@attacker.example/\r\n@@@@@@"),
         QStringLiteral("更新页面的地址含有用户名或密码，没有打开："
                        "http://www.example.com:x@attacker.example/")},
        // A foreign text is quoted at most 200 characters long.
        {Ok(QByteArray(60000, '9') + "x\r\nhttp://www.example.com/\r\n@@@@@@"),
         QStringLiteral("'%1\u2026' is not a valid floating point value").arg(QString(200, '9'))},
        {LoopbackHttpServer::Answer(404, "Not Found", "<html>no</html>"),
         QStringLiteral("HTTP 404 Not Found")},
        {LoopbackHttpServer::Answer(500, "Internal Server Error", ""),
         QStringLiteral("HTTP 500 Internal Server Error")},
        {LoopbackHttpServer::Answer(200, "OK", "2.2\r\nhttp://www.example.com/\r\n@@@@@@",
                                    "Content-Type: text/html; charset=no-such-set\r\n"),
         QStringLiteral("服务器的回答使用了不认识的字符集：no-such-set")},
    };
    for (const auto& c : cases) {
        const Checked checked = CheckAnswer(c.answer);
        ASSERT_FALSE(checked.outcome.ok()) << c.answer.toStdString();
        EXPECT_EQ(ErrorReason(checked.outcome), c.message) << c.answer.toStdString();
    }
}

TEST(ForeignText, CharactersThatReorderOrHideTextAreReplacedAsControlsAre) {
    // "exe.txt" shown backwards, a zero-width space, a byte-order mark, an isolate.
    const QString sent = QStringLiteral("a\u202Etxt.exe\u202C b\u200Bc\uFEFF\u2067d\u2069\te\r\n");
    EXPECT_EQ(WithoutControlCharacters(sent),
              QStringLiteral("a\uFFFDtxt.exe\uFFFD b\uFFFDc\uFFFD\uFFFDd\uFFFD\te\r\n"));
    EXPECT_EQ(QuotedForeignText(QStringLiteral("\u200Fx\n")), QStringLiteral("\uFFFDx\uFFFD"));
}

TEST(UpdateCheck, TheVersionIsReadWithTheUsersDecimalSeparator) {
    const QChar comma = QLatin1Char(',');
    const auto check = [comma](const QByteArray& version) {
        return CheckAgainst(
            [version](const auto&) {
                return Ok(version + "\r\nhttp://www.example.com/\r\n@@@@@@");
            },
            std::chrono::seconds(10), comma);
    };
    const Checked newer = check("2,2");
    ASSERT_TRUE(newer.outcome.ok());
    EXPECT_TRUE(newer.outcome->has_value());
    const Checked same = check("2,11");
    ASSERT_TRUE(same.outcome.ok());
    EXPECT_FALSE(same.outcome->has_value());
    EXPECT_EQ(ErrorReason(check("2.2").outcome),
              QStringLiteral("'2.2' is not a valid floating point value"));
}

TEST(UpdateCheck, AServerThatNeverAnswersTimesOut) {
    const Checked checked =
        CheckAgainst([](const auto&) { return std::nullopt; }, std::chrono::milliseconds(300));
    EXPECT_EQ(checked.requests.size(), 1u);
    ASSERT_FALSE(checked.outcome.ok());
    EXPECT_EQ(ErrorReason(checked.outcome), QStringLiteral("服务器在 0.3 秒内没有回答"));
}

TEST(UpdateCheck, ARedirectIsFollowed) {
    const Checked checked = CheckAgainst([](const LoopbackHttpServer::Request& request) {
        if (request.target == "/zb_users/upload/quorvel/update.php")
            return LoopbackHttpServer::Answer(302, "Found", "", "Location: /moved/update.txt\r\n");
        return Ok("2.2\r\nhttp://www.example.com/\r\nmoved\r\n@@@@@@");
    });
    ASSERT_EQ(checked.requests.size(), 2u);
    EXPECT_EQ(checked.requests[1].target, "/moved/update.txt");
    EXPECT_EQ(checked.requests[1].header("User-Agent"), QList<QByteArray>{UpdateQueryUserAgent});
    ASSERT_TRUE(checked.outcome.ok()) << checked.outcome.message().toStdString();
    EXPECT_EQ((*checked.outcome)->notes, QStringLiteral("moved\r\n"));
}

TEST(UpdateCheck, AnAnswerOfSeveralMegabytesIsNotReadToItsEnd) {
    const QByteArray huge =
        "2.2\r\nhttp://www.example.com/\r\n" + QByteArray(5 * 1024 * 1024, 'x') + "\r\n@@@@@@";
    const Checked checked = CheckAnswer(Ok(huge));
    ASSERT_FALSE(checked.outcome.ok());
    EXPECT_EQ(ErrorReason(checked.outcome), QStringLiteral("服务器的回答超过了 64 KiB，没有读完"));
}

TEST(UpdateCheck, TheQueryAddressKeepsOnlySchemeHostAndPort) {
    EXPECT_EQ(UpdateQueryAddress(QUrl(QStringLiteral("http://127.0.0.1:8080/mirror?x=1"))),
              QUrl(QStringLiteral("http://127.0.0.1:8080/zb_users/upload/quorvel/update.php")));
    EXPECT_EQ(MakerUpdateServer().base.scheme(), QStringLiteral("http"));
    EXPECT_EQ(UpdateQueryAddress(MakerUpdateServer().base),
              QUrl(QStringLiteral("http://www.example.com/zb_users/upload/quorvel/update.php")));
    EXPECT_EQ(MakerUpdateServer().timeout, std::chrono::seconds(10));
}

TEST(UpdateCheck, ARedirectToAnotherServerIsNotFollowed) {
    LoopbackHttpServer elsewhere(QHostAddress(QStringLiteral("127.0.0.2")));
    ASSERT_TRUE(elsewhere.listening());
    elsewhere.respond = [](const auto&) { return Ok("9.9\r\nhttp://www.example.com/\r\n@@@@@@"); };
    const QByteArray port = QByteArray::number(elsewhere.base().port());
    for (const QByteArray& location :
         {"http://127.0.0.2:" + port + "/update.php", "//127.0.0.2:" + port + "/x",
          QByteArray("ftp://127.0.0.1/x")}) {
        const Checked checked = CheckAnswer(
            LoopbackHttpServer::Answer(302, "Found", "", "Location: " + location + "\r\n"));
        EXPECT_EQ(checked.requests.size(), 1u) << location.toStdString();
        EXPECT_TRUE(ErrorReason(checked.outcome)
                        .startsWith(QStringLiteral("服务器把查询转到了别的地址，没有跟随：")))
            << checked.outcome.message().toStdString();
    }
    EXPECT_TRUE(elsewhere.requests.empty());
}

TEST(UpdateCheck, HostileAnswersFail) {
    const QByteArray answer = "2.2\r\nhttp://www.example.com/\r\nchunked\r\n@@@@@@";
    const struct {
        QByteArray sent; // nothing: the connection is closed without a word
        QString message; // empty: the check succeeds
    } cases[] = {
        {"", QStringLiteral("服务器没有回答就断开了连接")},
        {"HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\n2.2\r\n",
         QStringLiteral("服务器的回答不完整或不是 HTTP 回答")},
        // Qt drops a head it cannot hold (the deadline ends one that trickles
        // on); what is left has no answer.
        {"HTTP/1.1 200 OK\r\nX-Padding: " + QByteArray(1 << 20, 'x') + "\r\n\r\n",
         QStringLiteral("服务器的回答里没有版本号（第1行）")},
        {LoopbackHttpServer::Answer(500, "<b>x</b>\x1b[2J" + QByteArray(300, 'y'), ""),
         QStringLiteral("HTTP 500 <b>x</b>\uFFFD[2J%1…").arg(QString(188, QLatin1Char('y')))},
        {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nTransfer-Encoding: "
         "chunked\r\n\r\n10\r\n" +
             answer.left(16) + "\r\n" + QByteArray::number(answer.size() - 16, 16) + "\r\n" +
             answer.mid(16) + "\r\n0\r\n\r\n",
         QString()},
    };
    for (const auto& c : cases) {
        const Checked checked = CheckAgainst([&c](const auto&) { return c.sent; });
        // A GET may be sent again on a new connection when the server closed
        // the first before its answer was read; never more often.
        EXPECT_LE(checked.requests.size(), 2u) << c.sent.left(40).toStdString();
        EXPECT_EQ(ErrorReason(checked.outcome), c.message);
        if (c.message.isEmpty() && checked.outcome.ok()) {
            EXPECT_EQ((*checked.outcome)->notes, QStringLiteral("chunked\r\n"));
        }
    }
}

TEST(UpdateCheck, TheDeadlineHoldsWhileTheHeadTricklesIn) {
    QTcpServer trickler;
    ASSERT_TRUE(trickler.listen(QHostAddress::LocalHost, 0));
    QTimer drip;
    QObject::connect(&trickler, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = trickler.nextPendingConnection();
        socket->write("HTTP/1.1 200 OK\r\nX-Slow: ");
        QObject::connect(&drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        drip.start(10);
    });
    QElapsedTimer clock;
    clock.start();
    const auto outcome = CheckForUpdate(
        UpdateServer{QUrl(QStringLiteral("http://127.0.0.1:%1").arg(trickler.serverPort())),
                     std::chrono::milliseconds(300)},
        QLatin1Char('.'));
    EXPECT_EQ(ErrorReason(outcome), QStringLiteral("服务器在 0.3 秒内没有回答"));
    EXPECT_LT(clock.elapsed(), 2000);
}

// An https server of a throw-away certificate for 127.0.0.1 (tests/data), and
// the client's trust in it for as long as the object lives.
class TrustedLoopbackTls {
public:
    TrustedLoopbackTls() : before_(QSslConfiguration::defaultConfiguration()) {
        QSslConfiguration trusting = before_;
        trusting.addCaCertificates(certificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    ~TrustedLoopbackTls() { QSslConfiguration::setDefaultConfiguration(before_); }

    static QSslConfiguration serverConfiguration() {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(certificate().value(0));
        QFile key(QStringLiteral(VELMORA_TEST_DATA "/loopback-tls.key"));
        EXPECT_TRUE(key.open(QIODevice::ReadOnly));
        configuration.setPrivateKey(QSslKey(&key, QSsl::Rsa));
        configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
        return configuration;
    }

private:
    static QList<QSslCertificate> certificate() {
        return QSslCertificate::fromPath(QStringLiteral(VELMORA_TEST_DATA "/loopback-tls.crt"));
    }
    const QSslConfiguration before_;
};

TEST(UpdateCheck, HttpsAndARedirectToHttpsOnTheSameHost) {
    if (!QSslSocket::supportsSsl())
        GTEST_SKIP() << "no TLS backend";
    LoopbackHttpServer secure(QHostAddress(QHostAddress::LocalHost),
                              TrustedLoopbackTls::serverConfiguration());
    ASSERT_TRUE(secure.listening());
    secure.respond = [](const auto&) { return Ok("2.2\r\nhttps://www.example.com/\r\n@@@@@@"); };
    LoopbackHttpServer plain;
    plain.respond = [&secure](const auto&) {
        return LoopbackHttpServer::Answer(301, "Moved", "",
                                          "Location: " + secure.base().toEncoded() +
                                              "/zb_users/upload/quorvel/update.php\r\n");
    };
    {
        const TrustedLoopbackTls trusted;
        for (const QUrl& base : {secure.base(), plain.base()}) {
            const auto outcome = CheckForUpdate(UpdateServer{base}, QLatin1Char('.'));
            ASSERT_TRUE(outcome.ok()) << outcome.message().toStdString();
            EXPECT_EQ((*outcome)->version, QStringLiteral("2.2"));
        }
    }
    EXPECT_EQ(secure.requests.size(), 2u);
    // A certificate nobody vouches for is no server of ours.
    EXPECT_EQ(ErrorReason(CheckForUpdate(UpdateServer{secure.base()}, QLatin1Char('.'))),
              QStringLiteral("无法与服务器建立安全连接"));
}

TEST(UpdateCheck, GoesThroughTheSystemsProxy) {
    LoopbackHttpServer proxy;
    ASSERT_TRUE(proxy.listening());
    proxy.respond = [](const auto&) { return Ok("2.2\r\nhttp://www.example.com/\r\n@@@@@@"); };
    const QByteArray before = qgetenv("http_proxy");
    qputenv("http_proxy", proxy.base().toEncoded());
    const auto outcome = CheckForUpdate(
        UpdateServer{QUrl(QStringLiteral("http://update.example.invalid"))}, QLatin1Char('.'));
    before.isEmpty() ? qunsetenv("http_proxy") : qputenv("http_proxy", before);
    ASSERT_TRUE(outcome.ok()) << outcome.message().toStdString();
    ASSERT_EQ(proxy.requests.size(), 1u);
    EXPECT_EQ(proxy.requests[0].target,
              "http://update.example.invalid/zb_users/upload/quorvel/update.php");
}
