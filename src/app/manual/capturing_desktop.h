#pragma once

#include "silent_desktop.h"

#include <QImage>
#include <QString>

#include <functional>
#include <map>

namespace velmora::manual {

// A desktop that takes a picture of each of the program's dialogs it is asked
// to show and then cancels it; a file to open is `openFile`, every other
// question is declined, every message dropped, nothing is opened.
class CapturingDesktop final : public SilentDesktop {
public:
    // The name under which the next dialog's picture is kept.
    QString nextPicture;
    // What a person does in the next dialog before its picture is taken.
    std::function<void(QDialog&)> beforePicture;
    std::map<QString, QImage> pictures;
    // The answer of an open dialog; empty: cancelled.
    QString openFile;

    int runModal(QDialog& dialog) override;
    std::optional<FileDialogAnswer> askOpenFile(const FileDialogRequest&) override;
};

// The widget as drawn on screen, shown first if it is hidden.
QImage Picture(QWidget& widget);

} // namespace velmora::manual
