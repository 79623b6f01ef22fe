#include "info_label.h"

#include <QMouseEvent>

#include <algorithm>

namespace velmora {

InfoLabel::InfoLabel(QWidget* chart, const QPoint& startPosition) : QLabel(chart) {
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setToolTip(QStringLiteral("按住拖动调整位置"));
    setCursor(Qt::SizeAllCursor);
    wanted_ = startPosition;
    move(startPosition);
    chart->installEventFilter(this);
    hide();
}

// Where the label is put: where it was dragged to, moved in as far as needed
// to stay whole on the chart (a label dragged off it would be lost).
void InfoLabel::showWithin() {
    const QSize room = parentWidget()->size() - size();
    move(std::clamp(wanted_.x(), 0, std::max(0, room.width())),
         std::clamp(wanted_.y(), 0, std::max(0, room.height())));
}

bool InfoLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        showWithin();
    return QLabel::eventFilter(watched, event);
}

void InfoLabel::setLabelText(const QString& text) {
    setText(text);
    adjustSize();
    showWithin();
}

void InfoLabel::mousePressEvent(QMouseEvent* event) {
    grip_ = event->position().toPoint();
    event->accept();
}

void InfoLabel::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint pointer = event->position().toPoint();
    wanted_ = pos() + pointer - grip_;
    showWithin();
    wanted_ = pos();
    event->accept();
}

void InfoLabel::setScreenFont(const ScreenFont& font) {
    setFont(font.font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, font.color);
    setPalette(colours);
    adjustSize();
    showWithin();
}

} // namespace velmora
