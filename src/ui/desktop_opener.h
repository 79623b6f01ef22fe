#pragma once

#include <QUrl>

#include <functional>

class QObject;

namespace velmora {

// Hands `target` (a file's address or a web address) to the desktop's own
// opener without waiting for it. `notOpened` runs when nothing could open it,
// at once or when the opener says so later, as long as `context` exists.
//
// On Linux the opener is xdg-open, which also starts when the desktop has no
// program for the file, and only its exit status tells ("xdg-open: no method
// available", status 3). An opener that ends with a failure soon after it
// started counts as not opened. One that ends with a failure later is taken
// as the program it ran, closed by the person, and counts as opened.
void OpenThroughDesktop(const QUrl& target, QObject* context, std::function<void()> notOpened);

} // namespace velmora
