#pragma once

#include "result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace velmora {

// The chart picture's file formats, each from a 24-bit RGB image.
// BMP: uncompressed 24-bit Windows bitmap, rows bottom-up padded to 4 bytes.
QByteArray EncodeBmp(const QImage& image);
// JPEG: baseline, quality 90, with libjpeg.
Result<QByteArray> EncodeJpeg(const QImage& image);
// PNG: 8-bit RGB, not interlaced, deflate level 7, the Sub filter on every row, with libpng.
Result<QByteArray> EncodePng(const QImage& image);

enum class PictureFormat { Bmp, Jpeg, Png };

// The format that the extension of `path` names (.bmp, .jpg, .png, in any
// letter case); nothing for any other extension.
std::optional<PictureFormat> PictureFormatOf(const QString& path);
Result<QByteArray> EncodePicture(PictureFormat format, const QImage& image);

} // namespace velmora
