#pragma once

#include "desktop.h"

#include <QObject>

class QWidget;

namespace velmora {

// The desktop of a person: Qt's file dialogs and message boxes over the main
// window, and the desktop's default applications.
class QtDesktop final : public Desktop {
public:
    explicit QtDesktop(QWidget* parent) : parent_(parent) {}
    // The window the dialogs and message boxes belong to.
    void setParent(QWidget* parent) { parent_ = parent; }

    int runModal(QDialog& dialog) override;
    std::optional<FileDialogAnswer> askSaveFile(const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> askOpenFile(const FileDialogRequest& request) override;
    void showInformation(const QString& title, const QString& text) override;
    void showError(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    void showCopyableText(const QString& title, const QString& text) override;
    std::optional<ChosenFont> chooseFont(const QFont& font, const QColor& color) override;
    void openWithDefaultApplication(const QString& path, NotOpened notOpened) override;
    void openInTextEditor(const QString& path, NotOpened notOpened) override;
    void openAddress(const QUrl& address, NotOpened notOpened) override;

private:
    std::optional<FileDialogAnswer> runFileDialog(const FileDialogRequest& request, bool saving);

    QWidget* parent_;
    // What the desktop says later, after the program that was to open a file
    // ended, reaches this desktop only while it exists.
    QObject lifetime_;
};

} // namespace velmora
