#pragma once

#include <QFont>

#include <functional>

class QApplication;
class QWidget;

namespace velmora {

// What the window needs before its first widget: the program's name and
// desktop entry, Qt's own dialogs and buttons in Chinese (a failure may be
// shown before the window), and the faces the options name (宋体, Arial)
// mapped to installed equivalents, so the window looks as designed on a
// desktop without them.
void PrepareApplication(QApplication& application);

// The font of the program's windows and dialogs: 宋体 9 pt.
inline QFont WindowFont() {
    return QFont(QStringLiteral("宋体"), 9);
}

// The program's icon for its windows, unless they have one. It can wait until
// the window has been painted once: all its sizes are decoded when it is set.
void SetApplicationIcon();

// Runs `work` once, right after `window` has been painted for the first time
// (the whole paint done, not in the middle of it), or after a second when it
// has not been painted by then (it may have started minimised).
void AfterFirstPaint(QWidget& window, std::function<void()> work);

} // namespace velmora
