#include "text_encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace velmora {

namespace {
const char* const CodePage936 = "CP936";
}

QByteArray EncodeCodePage936(const QString& text) {
    QStringEncoder encoder(CodePage936);
    return encoder.encode(text);
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
    QStringDecoder decoder(CodePage936);
    return decoder.decode(bytes);
}

} // namespace velmora
