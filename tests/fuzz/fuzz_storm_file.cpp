// Storm files come from anywhere the person opens them from.

#include "fuzz_check.h"
#include "storm_file.h"

using namespace velmora;

namespace {

void CheckWithSeparator(const QByteArray& bytes, QChar separator) {
    const StormFileReading read = ReadStormFile(bytes, separator);
    FUZZ_CHECK(read.storm.has_value() == (read.failure == StormFileReading::Failure::None));
    FUZZ_CHECK(read.storm.has_value() || !read.error.isEmpty());
    if (!read.storm)
        return;
    // What was read and can be saved is read back as it was saved.
    const Result<QByteArray> saved = StormFileBytes(*read.storm, separator);
    if (!saved)
        return;
    const StormFileReading again = ReadStormFile(*saved, separator);
    FUZZ_CHECK(again.storm.has_value());
    const Result<QByteArray> savedAgain = StormFileBytes(*again.storm, separator);
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
