// Zip archives: .docx and .xlsx packages.

#include "fuzz_check.h"
#include "zip_archive.h"

#include <QSet>

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Result<std::vector<ZipEntry>> read = ReadZipArchive(fuzz::Bytes(data, size));
    if (!read) {
        FUZZ_CHECK(!read.message().isEmpty());
        return 0;
    }
    // Every name read stays inside the package and appears once.
    QSet<QString> names;
    for (const ZipEntry& entry : *read) {
        FUZZ_CHECK(IsSafeEntryName(entry.name));
        FUZZ_CHECK(!names.contains(entry.name));
        names.insert(entry.name);
    }
    // What was read is written and read back unchanged.
    const Result<QByteArray> written = WriteZipArchive(*read);
    FUZZ_CHECK(written.ok());
    const Result<std::vector<ZipEntry>> again = ReadZipArchive(*written);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(*again == *read);
    return 0;
}
