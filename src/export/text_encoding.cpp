#include "text_encoding.h"

#include <QSaveFile>
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

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("无法写入文件“%1”：%2").arg(path, file.errorString());
    return false;
}

} // namespace velmora
