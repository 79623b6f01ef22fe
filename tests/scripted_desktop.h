#pragma once

#include "desktop.h"

#include <QDialog>

#include <gtest/gtest.h>

#include <functional>

#include <deque>
#include <optional>
#include <vector>

namespace velmora::testing {

// A desktop that answers from queues and records what the window showed and
// opened. An unexpected dialog (nothing queued) counts as cancelled or "No";
// an answer still queued at the end fails the test, since the command it was
// written for did not ask what the test thinks it asked.
class ScriptedDesktop final : public Desktop {
public:
    ~ScriptedDesktop() override {
        const auto unused = [](const char* what, std::size_t count) {
            if (count != 0)
                ADD_FAILURE() << count << " scripted " << what << " never used";
        };
        unused("save-dialog answer(s)", saveAnswers.size());
        unused("open-dialog answer(s)", openAnswers.size());
        unused("yes/no answer(s)", yesNoAnswers.size());
        unused("font answer(s)", fontAnswers.size());
        unused("dialog script(s)", dialogScripts.size());
    }

    struct Message {
        enum Kind { Information, Error, Question, Copyable } kind;
        QString title;
        QString text;
    };

    std::deque<std::optional<FileDialogAnswer>> saveAnswers;
    std::deque<std::optional<FileDialogAnswer>> openAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<ChosenFont>> fontAnswers;
    // What a person does in the font dialog when no answer is queued: given
    // the font and colour it was opened on.
    std::function<std::optional<ChosenFont>(const QFont&, const QColor&)> fontDialog;
    // What a person does in each modal dialog shown, in turn.
    std::deque<std::function<void(QDialog&)>> dialogScripts;

    std::vector<FileDialogRequest> fileDialogs;
    std::vector<Message> messages;
    std::vector<QString> openedFiles;
    std::vector<QString> editedFiles;
    std::vector<QUrl> openedAddresses;
    // False: the desktop has no program for any file or address (each is
    // still recorded as asked for).
    bool opensAnything = true;

    int runModal(QDialog& dialog) override {
        dialog.setResult(QDialog::Rejected);
        if (dialogScripts.empty())
            return QDialog::Rejected; // an unexpected dialog is cancelled
        const auto script = dialogScripts.front();
        dialogScripts.pop_front();
        script(dialog);
        return dialog.result();
    }
    std::optional<FileDialogAnswer> askSaveFile(const FileDialogRequest& request) override {
        return answer(request, saveAnswers);
    }
    std::optional<FileDialogAnswer> askOpenFile(const FileDialogRequest& request) override {
        return answer(request, openAnswers);
    }
    void showInformation(const QString& title, const QString& text) override {
        messages.push_back({Message::Information, title, text});
    }
    void showError(const QString& title, const QString& text) override {
        messages.push_back({Message::Error, title, text});
    }
    void showCopyableText(const QString& title, const QString& text) override {
        messages.push_back({Message::Copyable, title, text});
    }
    bool askYesNo(const QString& title, const QString& text) override {
        messages.push_back({Message::Question, title, text});
        if (yesNoAnswers.empty())
            return false;
        const bool yes = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return yes;
    }
    std::optional<ChosenFont> chooseFont(const QFont& font, const QColor& color) override {
        if (fontAnswers.empty())
            return fontDialog ? fontDialog(font, color) : std::nullopt;
        auto next = fontAnswers.front();
        fontAnswers.pop_front();
        return next;
    }
    void openWithDefaultApplication(const QString& path, NotOpened notOpened) override {
        openedFiles.push_back(path);
        if (!opensAnything)
            notOpened();
    }
    void openInTextEditor(const QString& path, NotOpened notOpened) override {
        editedFiles.push_back(path);
        if (!opensAnything)
            notOpened();
    }
    void openAddress(const QUrl& address, NotOpened notOpened) override {
        openedAddresses.push_back(address);
        if (!opensAnything)
            notOpened();
    }

private:
    std::optional<FileDialogAnswer> answer(const FileDialogRequest& request,
                                           std::deque<std::optional<FileDialogAnswer>>& queue) {
        fileDialogs.push_back(request);
        if (queue.empty())
            return std::nullopt;
        auto next = queue.front();
        queue.pop_front();
        return next;
    }
};

} // namespace velmora::testing
