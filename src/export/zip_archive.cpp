#include "zip_archive.h"

#include "system_reason.h"

#include <QSet>

#include <zip.h>

#include <cstdio>

namespace velmora {

namespace {

// The fastest deflate level: the table rows repeat so much that the default
// level spends three quarters of a Word table's time on searching matches
// (1,441 rows: 11 ms against 3 ms) for a file a quarter smaller.
constexpr zip_uint32_t DeflateLevel = 1;

// The largest file we unpack: far above any document the program writes,
// low enough that a forged size cannot exhaust the memory.
constexpr zip_uint64_t MaxEntryBytes = zip_uint64_t{1} << 30;

// libzip's own texts are English (and some end in an empty detail, as
// "Decompression failed: "); the user reads why in Chinese.
QString ZipErrorText(int code) {
    switch (code) {
    case ZIP_ER_MULTIDISK:
        return QStringLiteral("不支持分卷压缩包");
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
        return QStringLiteral("无法定位数据");
    case ZIP_ER_READ:
        return QStringLiteral("读取出错");
    case ZIP_ER_WRITE:
        return QStringLiteral("写入出错");
    case ZIP_ER_CRC:
        return QStringLiteral("校验和（CRC）不符，数据已损坏");
    case ZIP_ER_NOENT:
        return QStringLiteral("条目不存在");
    case ZIP_ER_EXISTS:
        return QStringLiteral("条目已存在");
    case ZIP_ER_OPEN:
    case ZIP_ER_TMPOPEN:
        return QStringLiteral("无法打开文件");
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
        return QStringLiteral("压缩数据已损坏，无法解压");
    case ZIP_ER_MEMORY:
        return QStringLiteral("内存不足");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("不支持这种压缩方法");
    case ZIP_ER_EOF:
        return QStringLiteral("数据提前结束");
    case ZIP_ER_NOZIP:
        return QStringLiteral("不是压缩包");
    case ZIP_ER_INCONS:
        return QStringLiteral("压缩包的目录与内容不一致，已损坏");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("压缩包已加密");
    default:
        return QStringLiteral("压缩包错误%1").arg(code);
    }
}

QString ZipReason(const zip_error_t* error) {
    QString reason = ZipErrorText(zip_error_code_zip(error));
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) != 0)
        reason += QStringLiteral("：") + SystemReasonText(zip_error_code_system(error));
    return reason;
}

Failure UnreadableArchive(const zip_error_t* error) {
    return Failure::Error(QStringLiteral("无法读取压缩包（%1）").arg(ZipReason(error)));
}

Failure UnwritableArchive(const zip_error_t* error) {
    return Failure::Error(QStringLiteral("无法生成压缩包（%1）").arg(ZipReason(error)));
}

Failure UnsafeName(const QString& name) {
    return Failure::Error(QStringLiteral("压缩包中的文件名“%1”指向包外，已拒绝读取").arg(name));
}

Result<QByteArray> ReadEntry(zip_t* zip, zip_uint64_t index, const QString& name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip, index, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0)
        return UnreadableArchive(zip_get_error(zip));
    if (stat.size > MaxEntryBytes)
        return Failure::Error(QStringLiteral("压缩包中的文件“%1”过大").arg(name));
    zip_file_t* file = zip_fopen_index(zip, index, 0);
    if (file == nullptr)
        return UnreadableArchive(zip_get_error(zip));
    QByteArray bytes(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    // Reading on to the end makes libzip check the stored checksum.
    char probe;
    const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
    const zip_int64_t beyond = read < 0 ? -1 : zip_fread(file, &probe, 1);
    Result<QByteArray> result = std::move(bytes);
    if (read < 0 || beyond < 0)
        result = UnreadableArchive(zip_file_get_error(file));
    else if (static_cast<zip_uint64_t>(read) != stat.size || beyond != 0)
        result = Failure::Error(QStringLiteral("压缩包中的文件“%1”已损坏").arg(name));
    zip_fclose(file);
    return result;
}

Result<std::vector<ZipEntry>> ReadEntries(zip_t* zip) {
    std::vector<ZipEntry> entries;
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const auto index = static_cast<zip_uint64_t>(i);
        const char* rawName = zip_get_name(zip, index, ZIP_FL_ENC_GUESS);
        if (rawName == nullptr)
            return UnreadableArchive(zip_get_error(zip));
        const QString name = QString::fromUtf8(rawName);
        const bool folder = name.endsWith(QLatin1Char('/'));
        if (!IsSafeEntryName(folder ? name.chopped(1) : name))
            return UnsafeName(name);
        if (folder)
            continue;
        Result<QByteArray> bytes = ReadEntry(zip, index, name);
        if (!bytes)
            return bytes.failure();
        entries.push_back(ZipEntry{name, std::move(bytes).value()});
    }
    return entries;
}

// The bytes a finished in-memory archive holds.
Result<QByteArray> SourceBytes(zip_source_t* source) {
    if (zip_source_open(source) != 0)
        return UnwritableArchive(zip_source_error(source));
    QByteArray bytes;
    zip_int64_t size = -1;
    if (zip_source_seek(source, 0, SEEK_END) == 0)
        size = zip_source_tell(source);
    if (size >= 0 && zip_source_seek(source, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<qsizetype>(size));
        if (zip_source_read(source, bytes.data(), static_cast<zip_uint64_t>(size)) != size)
            size = -1;
    }
    Result<QByteArray> result = std::move(bytes);
    if (size < 0)
        result = UnwritableArchive(zip_source_error(source));
    zip_source_close(source);
    return result;
}

// A control character in a name: libzip refuses most of them, and no file
// system takes them in a file name.
bool HasControlCharacter(const QString& name) {
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

} // namespace

bool IsSafeEntryName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(':')))
        return false;
    for (const QStringView segment : QStringView(name).tokenize(u'/')) {
        if (segment.isEmpty() || segment == u"." || segment == u"..")
            return false;
    }
    return true;
}

Result<std::vector<ZipEntry>> ReadZipArchive(const QByteArray& archive) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        archive.constData(), static_cast<zip_uint64_t>(archive.size()), 0, &error);
    if (source == nullptr) {
        Failure failure = UnreadableArchive(&error);
        zip_error_fini(&error);
        return failure;
    }
    zip_t* zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (zip == nullptr) {
        Failure failure = UnreadableArchive(&error);
        zip_error_fini(&error);
        zip_source_free(source);
        return failure;
    }
    zip_error_fini(&error);
    Result<std::vector<ZipEntry>> entries = ReadEntries(zip);
    zip_discard(zip); // frees the source as well
    return entries;
}

Result<QByteArray> WriteZipArchive(const std::vector<ZipEntry>& entries) {
    QSet<QString> names;
    for (const ZipEntry& entry : entries) {
        if (!IsSafeEntryName(entry.name) || HasControlCharacter(entry.name))
            return Failure::Error(QStringLiteral("文件名“%1”不能放入压缩包").arg(entry.name));
        if (names.contains(entry.name))
            return Failure::Error(QStringLiteral("文件名“%1”在压缩包中重复").arg(entry.name));
        names.insert(entry.name);
    }
    if (entries.empty()) // libzip writes nothing at all for an empty archive
        return QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_TRUNCATE, &error);
    if (zip == nullptr) {
        Failure failure = UnwritableArchive(&error);
        zip_error_fini(&error);
        if (source != nullptr)
            zip_source_free(source);
        return failure;
    }
    zip_error_fini(&error);
    zip_source_keep(source); // the bytes are read from it after the archive is closed

    for (const ZipEntry& entry : entries) {
        // The entries' bytes outlive the archive, so libzip may read them in place.
        zip_source_t* data = zip_source_buffer(zip, entry.bytes.constData(),
                                               static_cast<zip_uint64_t>(entry.bytes.size()), 0);
        const zip_int64_t index =
            data == nullptr
                ? -1
                : zip_file_add(zip, entry.name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0 || zip_set_file_compression(zip, static_cast<zip_uint64_t>(index),
                                                  ZIP_CM_DEFLATE, DeflateLevel) != 0) {
            Failure failure = UnwritableArchive(zip_get_error(zip));
            if (data != nullptr && index < 0)
                zip_source_free(data);
            zip_discard(zip);
            zip_source_free(source);
            return failure;
        }
    }
    if (zip_close(zip) != 0) {
        Failure failure = UnwritableArchive(zip_get_error(zip));
        zip_discard(zip);
        zip_source_free(source);
        return failure;
    }
    Result<QByteArray> bytes = SourceBytes(source);
    zip_source_free(source);
    return bytes;
}

} // namespace velmora
