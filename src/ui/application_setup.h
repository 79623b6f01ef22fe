#pragma once

class QApplication;

namespace velmora {

// What every run of the window needs before the first widget: the program's
// name, desktop entry and icon, Qt's own dialogs and buttons in Chinese, and
// the faces the options name (宋体,
// Arial) mapped to installed equivalents, so the window looks as designed on
// a desktop without them.
void PrepareApplication(QApplication& application);

} // namespace velmora
