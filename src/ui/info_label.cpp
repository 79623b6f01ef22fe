#include "info_label.h"

#include <QMouseEvent>

namespace velmora {

InfoLabel::InfoLabel(QWidget* chart, const QPoint& startPosition) : QLabel(chart) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setToolTip(QStringLiteral("按住拖动调整位置"));
    setCursor(Qt::SizeAllCursor);
    move(startPosition);
    hide();
}

void InfoLabel::setLabelText(const QString& text) {
    setText(text);
    adjustSize();
}

void InfoLabel::mousePressEvent(QMouseEvent* event) {
    grip_ = event->position().toPoint();
    event->accept();
}

void InfoLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint pointer = event->position().toPoint();
    move(pos() + pointer - grip_);
    event->accept();
}

void InfoLabel::setScreenFont(const ScreenFont& font) {
    setFont(font.font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, font.color);
    setPalette(colours);
    adjustSize();
}

} // namespace velmora
