#include "font_conversion.h"

#include <array>

namespace velmora {

namespace {

constexpr std::uint32_t ThemeColorBase = 0xFF000000u;
constexpr std::uint32_t NoColor = 0x1FFFFFFFu;
constexpr std::uint32_t DefaultColor = 0x20000000u;

// The palette role closest to each theme colour index (0..30).
QPalette::ColorRole ThemeRole(std::uint32_t index) {
    static const std::array<QPalette::ColorRole, 31> roles = {
        QPalette::Button,          // scroll bar
        QPalette::Window,          // desktop background
        QPalette::Highlight,       // active caption
        QPalette::Mid,             // inactive caption
        QPalette::Window,          // menu
        QPalette::Base,            // window
        QPalette::Shadow,          // window frame
        QPalette::WindowText,      // menu text
        QPalette::WindowText,      // window text
        QPalette::HighlightedText, // caption text
        QPalette::Window,          // active border
        QPalette::Window,          // inactive border
        QPalette::Mid,             // application workspace
        QPalette::Highlight,       // highlight
        QPalette::HighlightedText, // highlight text
        QPalette::Button,          // button face
        QPalette::Dark,            // button shadow
        QPalette::PlaceholderText, // grey text
        QPalette::ButtonText,      // button text
        QPalette::Text,            // inactive caption text
        QPalette::Light,           // button highlight
        QPalette::Shadow,          // 3D dark shadow
        QPalette::Midlight,        // 3D light
        QPalette::ToolTipText,     // info text
        QPalette::ToolTipBase,     // info background
        QPalette::WindowText,      // (no colour of its own)
        QPalette::Link,            // hot light
        QPalette::Highlight,       // gradient active caption
        QPalette::Mid,             // gradient inactive caption
        QPalette::Highlight,       // menu highlight
        QPalette::Window,          // menu bar
    };
    return index < roles.size() ? roles[index] : QPalette::WindowText;
}

} // namespace

QColor ToScreenColor(std::uint32_t color, const QPalette& palette, const QColor& ownerDefault) {
    if (color == NoColor || color == DefaultColor)
        return ownerDefault;
    if (color >= ThemeColorBase)
        return palette.color(QPalette::Active, ThemeRole(color - ThemeColorBase));
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

std::uint32_t ToColorValue(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

ScreenFont ToScreenFont(const TFontDescription& description, const QFont& base,
                        const QColor& ownerDefault, const QPalette& palette) {
    QFont font = base;
    font.setFamily(description.face);
    if (description.points > 0)
        font.setPointSize(description.points);
    font.setBold(description.bold);
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeout);
    return {font, ToScreenColor(description.color, palette, ownerDefault)};
}

ScreenFont FontFromText(const QString& text, const QFont& base, const QColor& baseColor,
                        const QPalette& palette) {
    TFontDescription description{base.family(),          base.pointSize(), base.bold(),
                                 base.italic(),          base.underline(), base.strikeOut(),
                                 ToColorValue(baseColor)};
    TextToFont(text, description);
    return ToScreenFont(description, base, baseColor, palette);
}

ChartAxisFonts ChartAxisFontsFromOptions(const TOptions& options, const QPalette& palette) {
    const QFont base(QStringLiteral("Arial"), 9);
    const QColor black(Qt::black);
    const auto font = [&](const QString& text) { return FontFromText(text, base, black, palette); };
    return {font(options.Font_LeftAxis),   font(options.Font_LeftTitle),
            font(options.Font_RightAxis),  font(options.Font_RightTitle),
            font(options.Font_BottomAxis), font(options.Font_BottomTitle)};
}

ScreenFont InfoLabelFontFromOptions(const TOptions& options, const QPalette& palette) {
    QFont base(QStringLiteral("Arial"), 9);
    base.setBold(true);
    return FontFromText(options.Font_RainModelInfo, base, palette.color(QPalette::WindowText),
                        palette);
}

} // namespace velmora
