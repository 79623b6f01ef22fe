// Font texts come from the options file.

#include "font_text.h"
#include "fuzz_check.h"

using namespace velmora;

namespace {

void Check(const QString& text) {
    // Without the colour part the style part is not read back (the text form
    // ends the styles at the next comma); the program always writes colours.
    TFontDescription withoutColor;
    TextToFont(text, withoutColor, false);
    (void)FontToText(withoutColor, false);

    TFontDescription font;
    TextToFont(text, font);
    // A font whose face the text form can hold comes back as it was written.
    if (!font.face.contains(QLatin1Char(','))) {
        TFontDescription again;
        again.face = QStringLiteral("Other");
        again.points = -1;
        again.color = 0x12345678;
        again.bold = !font.bold;
        TextToFont(FontToText(font), again);
        FUZZ_CHECK(again == font);
    }
    if (const auto color = TextToColor(text))
        FUZZ_CHECK(TextToColor(ColorToText(*color)) == color);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(QString::fromUtf8(fuzz::Bytes(data, size)));
    Check(fuzz::Utf16(data, size));
    return 0;
}
