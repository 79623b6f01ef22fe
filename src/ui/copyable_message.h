#pragma once

#include <QString>

class QWidget;

namespace velmora {

// An information box whose text is plain and can be selected with the mouse
// or the keyboard, for a path or an address the person copies elsewhere.
void ShowCopyableMessage(QWidget* parent, const QString& title, const QString& text);

} // namespace velmora
