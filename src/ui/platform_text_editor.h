#pragma once

#include <QString>

namespace velmora {

// Opens a file in the desktop's plain-text editor, whatever its ending: on
// Windows Notepad; elsewhere the desktop's default application for
// text/plain, falling back to the file's own default application. Does not
// wait; false when nothing could be started.
bool OpenInPlainTextEditor(const QString& path);

} // namespace velmora
