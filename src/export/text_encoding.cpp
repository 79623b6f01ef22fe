#include "text_encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#include "platform_windows.h"
#endif

namespace velmora {

namespace {
const char* const CodePage936 = "CP936";

// Qt converts code page 936 through ICU, which the Windows build does not
// carry; there Windows' own tables do it.
QString DecodeCodePage936(const QByteArray& bytes) {
#ifdef Q_OS_WIN
    return windows::FromCodePage936(bytes);
#else
    QStringDecoder decoder(CodePage936);
    return decoder.decode(bytes);
#endif
}
} // namespace

QByteArray EncodeCodePage936(const QString& text) {
#ifdef Q_OS_WIN
    return windows::ToCodePage936(text);
#else
    QStringEncoder encoder(CodePage936);
    return encoder.encode(text);
#endif
}

QString DecodeTextFile(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    return DecodeCodePage936(bytes);
}

} // namespace velmora
