// The Help menu: the user manual, the update check, the chat group, the
// maker's customer-service page and the About window.

#include "main_window.h"

#include "about_form.h"
#include "desktop.h"
#include "help_links.h"
#include "number_text.h"

namespace velmora {

// No manual found: nothing happens.
void TFormQuorvel::Menu_help1Click() {
    if (const auto manual = FindManual(manualFolders_))
        desktop_.openWithDefaultApplication(*manual);
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
