#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace velmora {

// The chart picture's file formats, each from a 24-bit RGB image.
// BMP: uncompressed 24-bit Windows bitmap, rows bottom-up padded to 4 bytes.
QByteArray EncodeBmp(const QImage& image);
// JPEG: baseline, quality 90, with libjpeg.
QByteArray EncodeJpeg(const QImage& image, QString* error = nullptr);
// PNG: 8-bit RGB, not interlaced, deflate level 7, the Sub filter on every row, with libpng.
QByteArray EncodePng(const QImage& image, QString* error = nullptr);

// The file for `path` in the format its extension names (.bmp, .jpg, .png,
// in any letter case); nothing for any other extension. An encoder failure
// gives empty bytes and `error` names the path and the reason.
std::optional<QByteArray> EncodePictureFor(const QString& path, const QImage& image, QString* error);

} // namespace velmora
