#pragma once

#include "desktop.h"

#include <QImage>
#include <QString>

#include <map>

namespace velmora::manual {

// A desktop that takes a picture of each of the program's dialogs it is asked
// to show and then cancels it; every other question is declined, every
// message dropped, nothing is opened.
class CapturingDesktop final : public Desktop {
public:
    // The name under which the next dialog's picture is kept.
    QString nextPicture;
    std::map<QString, QImage> pictures;

    int runModal(QDialog& dialog) override;
    std::optional<FileDialogAnswer> askSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<FileDialogAnswer> askOpenFile(const FileDialogRequest&) override { return {}; }
    void showInformation(const QString&, const QString&) override {}
    void showError(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<ChosenFont> chooseFont(const QFont&, const QColor&) override { return {}; }
    bool openWithDefaultApplication(const QString&) override { return true; }
    bool openInTextEditor(const QString&) override { return true; }
    bool openAddress(const QUrl&) override { return true; }
};

// The widget as drawn on screen, shown first if it is hidden.
QImage Picture(QWidget& widget);

} // namespace velmora::manual
