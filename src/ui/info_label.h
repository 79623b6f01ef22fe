#pragma once

#include "font_conversion.h"

#include <QLabel>

namespace velmora {

// One of the five information labels on the chart: a line of text on the
// chart's white, which the mouse drags by the point where it took hold.
// Positions live only as long as the window.
class InfoLabel final : public QLabel {
public:
    InfoLabel(QWidget* chart, const QPoint& startPosition);

    void setLabelText(const QString& text);
    void setScreenFont(const ScreenFont& font);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWithin();

    QPoint grip_;   // where the pointer took hold, in the label's coordinates
    QPoint wanted_; // where the person put it; shown there as far as the chart allows
};

} // namespace velmora
