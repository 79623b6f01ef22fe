#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

namespace velmora {

// Opens a file in the desktop's plain-text editor, whatever its ending: on
// Windows Notepad; elsewhere the desktop's default application for
// text/plain, falling back to the file's own default application. Does not
// wait; `notOpened` runs (while `context` exists) when nothing opened it.
void OpenInPlainTextEditor(const QString& path, QObject* context, std::function<void()> notOpened);

// The command that opens `path` with a desktop entry's Exec line: the field
// codes %f %F %u %U take the file, other codes are dropped. An editor that
// runs in a terminal (Terminal=true: vim, nano) is started inside
// `terminalEmulator` with "-e"; without one the list is empty, and the file
// goes to its default application instead of an editor nobody can see.
QStringList PlainTextEditorCommand(const QString& exec, bool inTerminal, const QString& path,
                                   const QString& terminalEmulator);

} // namespace velmora
