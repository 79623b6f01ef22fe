#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>

class QDialog;

#include <functional>
#include <optional>
#include <vector>

namespace velmora {

// One entry of a file dialog's type list: "Excel文件(*.csv)" with mask "*.csv".
struct FileType {
    QString name;
    QString mask;
};

struct FileDialogRequest {
    QString title;
    QString proposedName; // a file name, or a path whose folder the dialog opens in
    std::vector<FileType> types;
    int selectedType = 0;      // index into types
    bool askOverwrite = false; // save dialogs: ask before choosing an existing file
    QString folder;            // where the dialog opens; empty: where the desktop chooses
};

// A font as the font dialog returns it: face, size, styles and colour.
struct ChosenFont {
    QFont font;
    QColor color;
};

struct FileDialogAnswer {
    QString path;
    int selectedType = 0; // the type selected when the dialog closed
};

// Everything that needs a person or the desktop. The window reaches dialogs,
// message boxes and other programs only through this, so that every command
// can be driven by tests with a scripted desktop.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Shows one of the program's own dialogs modally; returns its result
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int runModal(QDialog& dialog) = 0;

    virtual std::optional<FileDialogAnswer> askSaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogAnswer> askOpenFile(const FileDialogRequest& request) = 0;

    virtual void showInformation(const QString& title, const QString& text) = 0;
    virtual void showError(const QString& title, const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // An information whose text the person can select and copy: a path or an
    // address to open by hand.
    virtual void showCopyableText(const QString& title, const QString& text) = 0;

    // The font dialog, opened on `font` in `color`; nothing when cancelled.
    virtual std::optional<ChosenFont> chooseFont(const QFont& font, const QColor& color) = 0;

    // Hands a file or an address over without waiting. `notOpened` runs when
    // the desktop could not open it: at once, or later, when the program that
    // was to open it says it found nothing to open it with.
    using NotOpened = std::function<void()>;
    virtual void openWithDefaultApplication(const QString& path, NotOpened notOpened) = 0;
    virtual void openInTextEditor(const QString& path, NotOpened notOpened) = 0;
    virtual void openAddress(const QUrl& address, NotOpened notOpened) = 0;
};

// The filter text of a Qt file dialog for one type: the name when it ends with
// its masks ("Excel文件(*.csv)"), else the name and the masks ("位图文件 (*.bmp)").
QString FileTypeFilter(const FileType& type);

// The titles of the program's message boxes.
inline const QString ErrorTitle = QStringLiteral("错误");
inline const QString PromptTitle = QStringLiteral("提示");

// Asked before replacing a file that a save dialog did not ask about (its
// extension was changed after the dialog closed). True for Yes.
bool AskReplaceFile(Desktop& desktop, const QString& path);

} // namespace velmora
