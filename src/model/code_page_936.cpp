#include "code_page_936.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#include "platform_windows.h"
#endif

namespace velmora {

namespace {
const char* const CodePage936 = "CP936";
} // namespace

QByteArray EncodeCodePage936(const QString& text) {
#ifdef Q_OS_WIN
    return windows::ToCodePage936(text);
#else
    QStringEncoder encoder(CodePage936);
    return encoder.encode(text);
#endif
}

QString DecodeCodePage936(const QByteArray& bytes) {
#ifdef Q_OS_WIN
    return windows::FromCodePage936(bytes);
#else
    QStringDecoder decoder(CodePage936);
    return decoder.decode(bytes);
#endif
}

} // namespace velmora
