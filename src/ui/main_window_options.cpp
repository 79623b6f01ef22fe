// The options dialog, run from "设置(&O)".

#include "main_window.h"

#include "desktop.h"
#include "number_text.h"
#include "options_dialog.h"
#include "options_file.h"

namespace velmora {

void TFormQuorvel::Menu_OptionsClick() {
    runCommand([this] {
        TFormOptions dialog(options_, desktop_, [this] { ApplyOptionsToMainWindow(); }, this);
        if (desktop_.runModal(dialog) == QDialog::Accepted) {
            dialog.ReadOptionsFromDialog();
            saveOptionsOrSayWhy();
        }
        // In every case the file decides: after "取消" this undoes the preview.
        options_ = LoadOptions(optionsFileName_, UserDecimalSeparator());
        ApplyOptionsToMainWindow();
        DeriveDependentCoefficient(storm_, options_.D_QI_ConversionRatio);
        RefreshHyetograph();
    });
}

} // namespace velmora
