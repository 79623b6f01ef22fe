#include "picture_encoders.h"

#include <QFileInfo>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace velmora {

namespace {

constexpr int JpegQuality = 90;
constexpr int PngCompressionLevel = 7;

QImage Rgb888(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB888);
}

void PutLittleEndian(QByteArray& bytes, int offset, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// libjpeg reports fatal errors through a jump back to the encoder.
struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
    bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void PngFlush(png_structp) {}

} // namespace

QByteArray EncodeBmp(const QImage& image) {
    const QImage rgb = Rgb888(image);
    const int width = rgb.width();
    const int height = rgb.height();
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int headerBytes = 14 + 40;
    const int pixelBytes = rowBytes * height;

    QByteArray bytes(headerBytes + pixelBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 2, static_cast<std::uint32_t>(headerBytes + pixelBytes), 4);
    PutLittleEndian(bytes, 10, headerBytes, 4);
    PutLittleEndian(bytes, 14, 40, 4); // BITMAPINFOHEADER
    PutLittleEndian(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutLittleEndian(bytes, 22, static_cast<std::uint32_t>(height), 4); // bottom-up
    PutLittleEndian(bytes, 26, 1, 2);                                  // planes
    PutLittleEndian(bytes, 28, 24, 2);                                 // bits per pixel
    PutLittleEndian(bytes, 34, static_cast<std::uint32_t>(pixelBytes), 4);
    PutLittleEndian(bytes, 38, 3780, 4); // 96 dpi in pixels per metre
    PutLittleEndian(bytes, 42, 3780, 4);

    char* pixels = bytes.data() + headerBytes;
    for (int y = 0; y < height; ++y) {
        const uchar* source = rgb.constScanLine(height - 1 - y);
        char* target = pixels + y * rowBytes;
        for (int x = 0; x < width; ++x) {
            target[3 * x] = static_cast<char>(source[3 * x + 2]); // blue, green, red
            target[3 * x + 1] = static_cast<char>(source[3 * x + 1]);
            target[3 * x + 2] = static_cast<char>(source[3 * x]);
        }
    }
    return bytes;
}

Result<QByteArray> EncodeJpeg(const QImage& image) {
    const QImage rgb = Rgb888(image);
    jpeg_compress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JpegErrorExit;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return Failure{QStringLiteral("JPEG编码失败：") + QString::fromLocal8Bit(errors.message)};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width());
    info.image_height = static_cast<JDIMENSION>(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, JpegQuality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

Result<QByteArray> EncodePng(const QImage& image) {
    const QImage rgb = Rgb888(image);
    QByteArray bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return Failure{QStringLiteral("PNG编码失败")};
    }
    png_set_write_fn(png, &bytes, PngWrite, PngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(rgb.width()),
                 static_cast<png_uint_32>(rgb.height()), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, PngCompressionLevel);
    png_write_info(png, info);
    for (int y = 0; y < rgb.height(); ++y)
        png_write_row(png, const_cast<png_bytep>(rgb.constScanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

std::optional<PictureFormat> PictureFormatOf(const QString& path) {
    const QString extension = QFileInfo(path).suffix().toUpper();
    if (extension == QLatin1String("BMP"))
        return PictureFormat::Bmp;
    if (extension == QLatin1String("JPG"))
        return PictureFormat::Jpeg;
    if (extension == QLatin1String("PNG"))
        return PictureFormat::Png;
    return std::nullopt;
}

Result<QByteArray> EncodePicture(PictureFormat format, const QImage& image) {
    switch (format) {
    case PictureFormat::Bmp:
        return EncodeBmp(image);
    case PictureFormat::Jpeg:
        return EncodeJpeg(image);
    case PictureFormat::Png:
        return EncodePng(image);
    }
    return Failure{QStringLiteral("未知的图片格式")};
}

} // namespace velmora
