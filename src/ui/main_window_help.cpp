// The Help menu: the user manual, the update check, the chat group, the
// maker's customer-service page and the About window.

#include "main_window.h"

#include "about_form.h"
#include "desktop.h"
#include "maker.h"
#include "number_text.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QUrlQuery>

namespace velmora {

namespace {

const QString ManualPattern = QStringLiteral("软件说明书*.pdf");
const QString ProductName = QStringLiteral("Velmora");

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

QStringList DefaultManualFolders() {
    const QString program = QCoreApplication::applicationDirPath();
    return {program,
            QDir::cleanPath(program + QStringLiteral("/" VELMORA_DOC_FOLDER_FROM_PROGRAM))};
}

QUrl CustomerServiceAddress() {
    QUrl address(QStringLiteral(VELMORA_MAKER_ADDRESS));
    address.setScheme(QStringLiteral("https"));
    address.setPath(QStringLiteral("/kefu/livechat"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("soft"), ProductName);
    address.setQuery(query);
    return address;
}

// The first manual the folders hold, in their order and by name within a
// folder; none: nothing happens.
void TFormQuorvel::Menu_help1Click() {
    for (const QString& folder : manualFolders_) {
        const QDir directory(folder);
        const QStringList found = directory.entryList({ManualPattern}, QDir::Files, QDir::Name);
        if (!found.isEmpty()) {
            desktop_.openWithDefaultApplication(directory.filePath(found.constFirst()));
            return;
        }
    }
}

Result<std::optional<UpdateOffer>> TFormQuorvel::waitForUpdateCheck() {
    const UpdateCheckInProgress inProgress(updateCheckRunning_, Menu_Update);
    return CheckForUpdate(updateServer_, UserDecimalSeparator());
}

void TFormQuorvel::Menu_UpdateClick() {
    if (updateCheckRunning_)
        return;
    runCommand([this]() -> Status {
        const Result<std::optional<UpdateOffer>> outcome = waitForUpdateCheck();
        if (!outcome)
            return Failure{outcome.message()};
        if (!outcome->has_value()) {
            desktop_.showInformation(PromptTitle, UpToDateText);
            return Status();
        }
        const UpdateOffer& offer = **outcome;
        if (desktop_.askYesNo(UpdateTitle, UpdateQuestionText(offer)))
            desktop_.openAddress(offer.page);
        return Status();
    });
}

TFormAbout& TFormQuorvel::aboutForm() {
    if (!FormAbout)
        FormAbout = new TFormAbout(desktop_, this);
    return *FormAbout;
}

void TFormQuorvel::Menu_AddQQClick() {
    aboutForm().ShowAddGroup();
}

void TFormQuorvel::menu_kefuClick() {
    desktop_.openAddress(CustomerServiceAddress());
}

void TFormQuorvel::Menu_AboutClick() {
    aboutForm().ShowAbout(ProgramVersion);
}

} // namespace velmora
