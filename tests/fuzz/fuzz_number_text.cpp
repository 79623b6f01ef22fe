// Numbers typed by the person, read from storm and options files and from the
// command line.

#include "fuzz_check.h"
#include "number_text.h"

#include <cmath>

using namespace velmora;

namespace {

void CheckDecimal(const QString& text, QChar separator, int decimals) {
    const auto value = ParseDecimalNumber(text, separator);
    if (!value)
        return;
    FUZZ_CHECK(std::isfinite(*value));
    // The general text reads back to a value with the same general text.
    const QString general = GeneralNumberText(*value, separator);
    const auto back = ParseDecimalNumber(general, separator);
    // Only values above the largest 15-digit one have a text that overflows
    // (the storm file refuses them for that reason).
    FUZZ_CHECK(back.has_value() || std::fabs(*value) > 1.79769313486231e308);
    if (back)
        FUZZ_CHECK(GeneralNumberText(*back, separator) == general);
    // The fixed text has exactly the decimals asked for and reads back.
    const QString fixed = FixedDecimalsText(*value, decimals, separator);
    const auto fixedBack = ParseDecimalNumber(fixed, separator);
    FUZZ_CHECK(fixedBack.has_value() || std::fabs(*value) > 1.79769313486231e308);
    const qsizetype point = fixed.indexOf(separator);
    FUZZ_CHECK(decimals == 0 ? point < 0 : fixed.size() - point - 1 == decimals);
}

void CheckInteger(const QString& text) {
    const auto value = ParseInteger(text);
    if (!value)
        return;
    FUZZ_CHECK(ParseInteger(QString::number(*value)) == value);
    FUZZ_CHECK(ParseInteger(QStringLiteral("$") +
                            QString::number(static_cast<std::uint32_t>(*value), 16)) == value);
}

void Check(const QString& text, int decimals) {
    CheckDecimal(text, QLatin1Char('.'), decimals);
    CheckDecimal(text, QLatin1Char(','), decimals);
    CheckInteger(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int decimals = data[0] % 100; // the options allow up to 99
    ++data;
    --size;
    Check(QString::fromUtf8(fuzz::Bytes(data, size)), decimals);
    Check(fuzz::Utf16(data, size), decimals);
    return 0;
}
