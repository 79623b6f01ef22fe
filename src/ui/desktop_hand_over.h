#pragma once

#include <QString>
#include <QUrl>

namespace velmora {

class Desktop;

// Handing a written file, the manual or a web page over to the desktop. When
// the desktop has no program for it (no xdg-open, for example), the person is
// told where it is, in a message whose text can be selected and copied.
void OpenSavedFile(Desktop& desktop, const QString& path);
void OpenSavedFileInTextEditor(Desktop& desktop, const QString& path);
void OpenDocument(Desktop& desktop, const QString& path);
void OpenAddress(Desktop& desktop, const QUrl& address);

// The messages of a hand-over that failed.
QString SavedButNotOpenedText(const QString& path);
QString DocumentNotOpenedText(const QString& path);
QString AddressNotOpenedText(const QUrl& address);

} // namespace velmora
