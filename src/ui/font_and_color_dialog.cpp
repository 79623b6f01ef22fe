#include "font_and_color_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

FontAndColorDialog::FontAndColorDialog(const QFont& font, const QColor& color, QWidget* parent)
    : QDialog(parent), fonts_(new QFontDialog(font, this)), colorButton_(new QPushButton(this)),
      color_(color), offered_(font) {
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

// The chooser shows an installed face in place of a missing one (and may
// lose a style on the way): when the person changed nothing, the font offered
// is given back as it was.
QFont FontAndColorDialog::chosenFont() const {
    const QFont current = fonts_->currentFont();
    return current == opened_ ? offered_ : current;
}

void FontAndColorDialog::showColor() {
    colorButton_->setStyleSheet(QStringLiteral("background-color: %1").arg(color_.name()));
}

} // namespace velmora
