// Storm files come from anywhere the person opens them from.

#include "fuzz_check.h"
#include "storm_file.h"

using namespace velmora;

namespace {

void CheckWithSeparator(const QByteArray& bytes, QChar separator) {
    const Result<TExpressionObject> read = ReadStormFile(bytes, separator);
    FUZZ_CHECK(read.ok() || !read.message().isEmpty());
    if (!read)
        return;
    // What was read and can be saved is read back as it was saved.
    const Result<QByteArray> saved = StormFileBytes(*read, separator);
    if (!saved)
        return;
    const Result<TExpressionObject> again = ReadStormFile(*saved, separator);
    FUZZ_CHECK(again.ok());
    const Result<QByteArray> savedAgain = StormFileBytes(*again, separator);
    FUZZ_CHECK(savedAgain.ok());
    FUZZ_CHECK(*savedAgain == *saved);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::Bytes(data, size);
    CheckWithSeparator(bytes, QLatin1Char('.'));
    CheckWithSeparator(bytes, QLatin1Char(','));
    return 0;
}
