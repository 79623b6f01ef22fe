// The options file is the user's own and may have been edited by hand.

#include "fuzz_check.h"
#include "ini_document.h"
#include "number_text.h"
#include "options_file.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::Bytes(data, size);
    // Every line stays byte for byte.
    FUZZ_CHECK(IniDocument::FromBytes(bytes).toBytes() == bytes);

    const QChar dot = QLatin1Char('.');
    const TOptions read = OptionsFromBytes(bytes, dot);
    (void)OptionsFromBytes(bytes, QLatin1Char(','));

    // Saving what was read and reading it again gives the same options, and
    // saving those again changes nothing.
    const QByteArray saved = OptionsIntoBytes(bytes, read, dot);
    const TOptions reread = OptionsFromBytes(saved, dot);
    TOptions expected = read;
    expected.D_QI_ConversionRatio = reread.D_QI_ConversionRatio; // written with 15 digits
    FUZZ_CHECK(reread == expected);
    FUZZ_CHECK(GeneralNumberText(reread.D_QI_ConversionRatio, dot) ==
               GeneralNumberText(read.D_QI_ConversionRatio, dot));
    FUZZ_CHECK(OptionsIntoBytes(saved, reread, dot) == saved);
    return 0;
}
