#include "qt_desktop.h"

#include "application_setup.h"
#include "copyable_message.h"
#include "desktop_opener.h"
#include "font_and_color_dialog.h"
#include "foreign_text.h"
#include "platform_text_editor.h"

#include <QFileDialog>
#include <QMessageBox>

namespace velmora {

std::optional<FileDialogAnswer> QtDesktop::runFileDialog(const FileDialogRequest& request,
                                                         bool saving) {
    QFileDialog dialog(parent_, request.title);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (saving && !request.askOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const FileType& type : request.types)
        filters << FileTypeFilter(type);
    dialog.setNameFilters(filters);
    if (request.selectedType >= 0 && request.selectedType < filters.size())
        dialog.selectNameFilter(filters[request.selectedType]);
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogAnswer{dialog.selectedFiles().constFirst(),
                            static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

int QtDesktop::runModal(QDialog& dialog) {
    return dialog.exec();
}

std::optional<FileDialogAnswer> QtDesktop::askSaveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

std::optional<FileDialogAnswer> QtDesktop::askOpenFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

namespace {

// Messages quote file values, server answers and paths: they are laid out as
// plain text, never as rich text (a value of nested tables would take Qt's
// layout down, a link or picture would reach local files), and what a file
// or server sent cannot hide control characters in them.
int ShowMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                   const QString& text, QMessageBox::StandardButtons buttons) {
    SetApplicationIcon(); // a box may come before the window's first paint
    QMessageBox box(icon, title, WithoutControlCharacters(text), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return box.exec();
}

} // namespace

void QtDesktop::showInformation(const QString& title, const QString& text) {
    ShowMessageBox(parent_, QMessageBox::Information, title, text, QMessageBox::Ok);
}

void QtDesktop::showError(const QString& title, const QString& text) {
    ShowMessageBox(parent_, QMessageBox::Critical, title, text, QMessageBox::Ok);
}

bool QtDesktop::askYesNo(const QString& title, const QString& text) {
    return ShowMessageBox(parent_, QMessageBox::Question, title, text,
                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<ChosenFont> QtDesktop::chooseFont(const QFont& font, const QColor& color) {
    FontAndColorDialog dialog(font, color, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return ChosenFont{dialog.chosenFont(), dialog.chosenColor()};
}

void QtDesktop::openWithDefaultApplication(const QString& path, NotOpened notOpened) {
    OpenThroughDesktop(QUrl::fromLocalFile(path), &lifetime_, std::move(notOpened));
}

void QtDesktop::openInTextEditor(const QString& path, NotOpened notOpened) {
    OpenInPlainTextEditor(path, &lifetime_, std::move(notOpened));
}

void QtDesktop::openAddress(const QUrl& address, NotOpened notOpened) {
    OpenThroughDesktop(address, &lifetime_, std::move(notOpened));
}

void QtDesktop::showCopyableText(const QString& title, const QString& text) {
    ShowCopyableMessage(parent_, title, text);
}

} // namespace velmora
