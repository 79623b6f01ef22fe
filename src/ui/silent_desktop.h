#pragma once

#include "desktop.h"

namespace velmora {

// A desktop without a person: every dialog is cancelled, every message dropped.
// For measurements and for drawing the window offscreen (velmora-cli).
class SilentDesktop : public Desktop {
public:
    int runModal(QDialog&) override { return 0; }
    std::optional<FileDialogAnswer> askSaveFile(const FileDialogRequest&) override { return {}; }
    std::optional<FileDialogAnswer> askOpenFile(const FileDialogRequest&) override { return {}; }
    void showInformation(const QString&, const QString&) override {}
    void showError(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    void showCopyableText(const QString&, const QString&) override {}
    std::optional<ChosenFont> chooseFont(const QFont&, const QColor&) override { return {}; }
    void openWithDefaultApplication(const QString&, NotOpened) override {}
    void openInTextEditor(const QString&, NotOpened) override {}
    void openAddress(const QUrl&, NotOpened) override {}
};

} // namespace velmora
