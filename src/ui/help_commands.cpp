#include "help_commands.h"

#include "about_form.h"
#include "command_guard.h"
#include "desktop.h"
#include "desktop_hand_over.h"
#include "help_links.h"
#include "maker.h"
#include "menu_command.h"
#include "number_text.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace velmora {

namespace {

// While the update check waits: the busy cursor, and the command disabled so
// that no second check starts. Undone however the check ends.
class UpdateCheckInProgress {
public:
    UpdateCheckInProgress(bool& running, QAction* command) : running_(running), command_(command) {
        running_ = true;
        command_->setEnabled(false);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~UpdateCheckInProgress() {
        QGuiApplication::restoreOverrideCursor();
        command_->setEnabled(true);
        running_ = false;
    }
    UpdateCheckInProgress(const UpdateCheckInProgress&) = delete;
    UpdateCheckInProgress& operator=(const UpdateCheckInProgress&) = delete;

private:
    bool& running_;
    QAction* command_;
};

} // namespace

HelpCommands::HelpCommands(Desktop& desktop, QMainWindow* window)
    : QObject(window), desktop_(desktop), window_(window), updateServer_(MakerUpdateServer()),
      manualFolders_(DefaultManualFolders()) {
    QMenu* help = window->menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    AddMenuCommand(help, QStringLiteral("Menu_help1"), QStringLiteral("帮助"), this,
                   &HelpCommands::Menu_help1Click);
    updateCommand_ =
        AddMenuCommand(help, QStringLiteral("Menu_Update"), QStringLiteral("检查更新..."), this,
                       &HelpCommands::Menu_UpdateClick);
    help->addSeparator();
    AddMenuCommand(help, QStringLiteral("Menu_AddQQ"),
                   QStringLiteral("加Q群") + QStringLiteral(VELMORA_DISCUSSION_GROUP), this,
                   &HelpCommands::Menu_AddQQClick);
    AddMenuCommand(help, QStringLiteral("menu_kefu"), QStringLiteral("在线客服"), this,
                   &HelpCommands::menu_kefuClick);
    help->addSeparator();
    AddMenuCommand(help, QStringLiteral("Menu_About"), QStringLiteral("关于"), this,
                   &HelpCommands::Menu_AboutClick);
}

void HelpCommands::Menu_help1Click() {
    if (const auto manual = FindManual(manualFolders_))
        OpenDocument(desktop_, *manual);
}

Result<std::optional<UpdateOffer>> HelpCommands::waitForUpdateCheck() {
    const UpdateCheckInProgress inProgress(updateCheckRunning_, updateCommand_);
    return CheckForUpdate(updateServer_, UserDecimalSeparator());
}

void HelpCommands::Menu_UpdateClick() {
    if (updateCheckRunning_)
        return;
    RunCommand(desktop_, [this]() -> Status {
        const Result<std::optional<UpdateOffer>> outcome = waitForUpdateCheck();
        if (!outcome)
            return outcome.failure();
        if (!outcome->has_value()) {
            desktop_.showInformation(PromptTitle, UpToDateText);
            return Status();
        }
        const UpdateOffer& offer = **outcome;
        if (desktop_.askYesNo(UpdateTitle, UpdateQuestionText(offer)))
            OpenAddress(desktop_, offer.page);
        return Status();
    });
}

TFormAbout& HelpCommands::aboutForm() {
    if (!aboutForm_)
        aboutForm_ = new TFormAbout(desktop_, window_);
    return *aboutForm_;
}

void HelpCommands::Menu_AddQQClick() {
    aboutForm().ShowAddGroup();
}

void HelpCommands::menu_kefuClick() {
    OpenAddress(desktop_, CustomerServiceAddress());
}

void HelpCommands::Menu_AboutClick() {
    aboutForm().ShowAbout(ProgramVersion);
}

} // namespace velmora
