#include "font_and_color_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

// The style of `family` that draws `font`'s weight and slant, by the name the
// font database gives it: the chooser matches styles by name, and the name
// Qt would make up for a font is translated ("粗体 (Bold)") and matches none.
QString StyleOf(const QString& family, const QFont& font) {
    const bool bold = font.weight() >= QFont::DemiBold;
    QString sameWeight;
    for (const QString& style : QFontDatabase::styles(family)) {
        if ((QFontDatabase::weight(family, style) >= QFont::DemiBold) != bold)
            continue;
        if (QFontDatabase::italic(family, style) == font.italic())
            return style;
        if (sameWeight.isEmpty())
            sameWeight = style;
    }
    return sameWeight;
}

// The chooser lists installed faces only: opened on a face that is missing
// (Arial drawn with Liberation Sans) it would fall back to its first entry.
// It opens on the face, and the style of it, that the screen draws instead.
QFont AsDrawn(const QFont& font) {
    QFont drawn = font;
    drawn.setFamily(QFontInfo(font).family());
    if (drawn.pointSize() <= 0)
        drawn.setPointSize(QFontInfo(font).pointSize());
    drawn.setStyleName(StyleOf(drawn.family(), font));
    return drawn;
}

} // namespace

FontAndColorDialog::FontAndColorDialog(const QFont& font, const QColor& color, QWidget* parent)
    : QDialog(parent), fonts_(new QFontDialog(AsDrawn(font), this)),
      colorButton_(new QPushButton(this)), color_(color), offered_(font) {
    setWindowTitle(QStringLiteral("字体"));
    // The font chooser is used as a part of this dialog, without its own buttons.
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(new QLabel(QStringLiteral("颜色："), this));
    colorButton_->setFixedWidth(80);
    colorRow->addWidget(colorButton_);
    colorRow->addStretch();
    connect(colorButton_, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("颜色"));
        if (chosen.isValid()) {
            color_ = chosen;
            showColor();
        }
    });
    showColor();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
    opened_ = fonts_->currentFont();
}

// The chooser shows an installed face in place of a missing one, and may lack
// a style the font has (a face without bold, drawn bold by Qt): the font
// offered is given back with only what the person changed in the chooser.
QFont FontAndColorDialog::chosenFont() const {
    const QFont current = fonts_->currentFont();
    QFont chosen = offered_;
    if (current.family() != opened_.family())
        chosen.setFamily(current.family());
    if (current.pointSize() != opened_.pointSize())
        chosen.setPointSize(current.pointSize());
    if (current.bold() != opened_.bold())
        chosen.setBold(current.bold());
    if (current.italic() != opened_.italic())
        chosen.setItalic(current.italic());
    if (current.underline() != opened_.underline())
        chosen.setUnderline(current.underline());
    if (current.strikeOut() != opened_.strikeOut())
        chosen.setStrikeOut(current.strikeOut());
    return chosen;
}

void FontAndColorDialog::showColor() {
    colorButton_->setStyleSheet(QStringLiteral("background-color: %1").arg(color_.name()));
}

} // namespace velmora
