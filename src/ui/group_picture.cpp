#include "group_picture.h"

#include <QPainter>

#include <qrencode.h>

#include <memory>

namespace velmora {

namespace {

constexpr int PictureWidth = 272;
constexpr int PictureHeight = 284;
// The code takes the square at the top; the invitation the band below it.
constexpr int CodeSide = 248;
// White modules around the code, as readers expect.
constexpr int QuietModules = 4;

} // namespace

QImage DiscussionGroupPicture(const QString& address, const QString& invitation) {
    QImage picture(PictureWidth, PictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);

    const QByteArray text = address.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(text.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (code) {
        const int modules = code->width + 2 * QuietModules;
        const int scale = CodeSide / modules;
        const int left = (PictureWidth - scale * modules) / 2 + QuietModules * scale;
        const int top = (CodeSide - scale * modules) / 2 + QuietModules * scale;
        for (int y = 0; y < code->width; ++y)
            for (int x = 0; x < code->width; ++x)
                if (code->data[y * code->width + x] & 1) // bit 0: a dark module
                    painter.fillRect(left + x * scale, top + y * scale, scale, scale, Qt::black);
    }

    painter.setPen(Qt::black);
    painter.setFont(QFont(QStringLiteral("宋体"), 10));
    painter.drawText(QRect(0, CodeSide, PictureWidth, PictureHeight - CodeSide), Qt::AlignCenter,
                     invitation);
    return picture;
}

} // namespace velmora
