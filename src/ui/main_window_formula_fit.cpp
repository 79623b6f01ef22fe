// "暴雨强度公式推求...": the formula worked out from rain data, run from 数据.

#include "main_window.h"

#include "desktop.h"
#include "formula_fit_dialog.h"
#include "rain_data_fit.h"
#include "storm_session.h"
#include "window_memory_keeper.h"

namespace velmora {

void TFormQuorvel::Menu_FormulaFitClick() {
    runCommand([this] {
        const double qiRatio = session_->options().D_QI_ConversionRatio;
        // The formula goes to the new-storm dialog on the current storm's
        // design values; only a storm confirmed there changes anything.
        FormulaFitDialog dialog(
            qiRatio, desktop_, *memory_,
            [this, qiRatio](const TTotalFormula& formula) {
                return session_ &&
                       runNewStormDialog(StormWithFormula(session_->storm(), formula, qiRatio));
            },
            this);
        desktop_.runModal(dialog);
        return Status();
    });
}

} // namespace velmora
