#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QPushButton;

namespace velmora {

// The font dialog of the options: Qt's font chooser (face, size, styles)
// with a colour button, since a font here carries its colour.
class FontAndColorDialog final : public QDialog {
public:
    FontAndColorDialog(const QFont& font, const QColor& color, QWidget* parent = nullptr);

    QFont chosenFont() const;
    QColor chosenColor() const { return color_; }

private:
    void showColor();

    QFontDialog* fonts_;
    QPushButton* colorButton_;
    QColor color_;
    QFont offered_; // the font the dialog was opened on
    QFont opened_;  // what the chooser showed for it
};

} // namespace velmora
