// The options dialog, run from "设置(&O)", and the check of the storm
// against its formula, run from 数据.

#include "main_window.h"

#include "command_guard.h"
#include "desktop.h"
#include "idf_check_dialog.h"
#include "options_dialog.h"
#include "result_grid.h"
#include "storm_session.h"

namespace velmora {

void TFormQuorvel::Menu_OptionsClick() {
    runCommand([this] {
        // Every change is shown on the window at once, the grid staying on its
        // row; the options file decides afterwards.
        const ResultGrid::Place place = GridData->place();
        TFormOptions dialog(
            session_->options(), desktop_,
            [this, place](const TOptions& shown) {
                if (const Status previewed = session_->previewOptions(shown); !previewed)
                    desktop_.showError(ErrorTitle, FailureText(previewed.failure()));
                GridData->goTo(place);
            },
            this);
        Status saved;
        if (desktop_.runModal(dialog) == QDialog::Accepted) {
            dialog.ReadOptionsFromDialog();
            session_->setOptions(dialog.chosenOptions());
            saved = session_->saveOptions();
        }
        // After "取消" this undoes the preview; options that could not be
        // saved are undone too, and the guard says why.
        const Status reloaded = session_->reloadOptions();
        GridData->goTo(place);
        return saved ? reloaded : saved;
    });
}

void TFormQuorvel::Menu_IdfCheckClick() {
    runCommand([this]() -> Status {
        // Computed from the storm itself, minute by minute, whatever the table shows.
        const Result<std::vector<TIdfCheckRow>> rows = IdfCheckTable(session_->storm());
        if (!rows)
            return rows.failure();
        IdfCheckDialog dialog(*rows, this);
        desktop_.runModal(dialog);
        return {};
    });
}

} // namespace velmora
