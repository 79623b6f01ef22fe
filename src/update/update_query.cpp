#include "update_query.h"

#include "foreign_text.h"
#include "maker.h"
#include "number_text.h"
#include "update_fetch.h"

#include <QStringDecoder>

#ifdef Q_OS_WIN
#include "platform_windows.h"
#endif

namespace velmora {

namespace {

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
    const Result<HttpBody> fetched = FetchUpdateBody(server);
    if (!fetched)
        return fetched.failure();
    return DecodeBody(fetched->body, fetched->contentType);
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
