#include "capturing_desktop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPixmap>

namespace velmora::manual {

QImage Picture(QWidget& widget) {
    widget.show();
    QCoreApplication::processEvents();
    return widget.grab().toImage();
}

int CapturingDesktop::runModal(QDialog& dialog) {
    if (!nextPicture.isEmpty()) {
        if (beforePicture)
            beforePicture(dialog);
        pictures[nextPicture] = Picture(dialog);
    }
    nextPicture.clear();
    beforePicture = nullptr;
    dialog.hide();
    return QDialog::Rejected;
}

std::optional<FileDialogAnswer> CapturingDesktop::askOpenFile(const FileDialogRequest&) {
    if (openFile.isEmpty())
        return std::nullopt;
    return FileDialogAnswer{openFile, 0};
}

} // namespace velmora::manual
