// The storms compared on the chart: "加入对比" and "清除对比", and the compared
// lines drawn in the unit the chart shows.

#include "main_window.h"

#include "desktop.h"
#include "storm_chart_view.h"
#include "storm_session.h"

namespace velmora {

void TFormQuorvel::Menu_AddToComparisonClick() {
    runCommand([this]() -> Status {
        // Nothing to add, nothing new or no room: the person is told, as for an
        // empty export.
        if (session_->table().empty()) {
            desktop_.showInformation(PromptTitle, NoStormToCompareMessage);
            return {};
        }
        if (session_->currentStormCompared()) {
            desktop_.showInformation(PromptTitle, AlreadyComparedMessage);
            return {};
        }
        if (session_->comparison().size() >= MaxComparedStorms) {
            desktop_.showInformation(PromptTitle, ComparisonFullMessage);
            return {};
        }
        return session_->addToComparison();
    });
}

void TFormQuorvel::Menu_ClearComparisonClick() {
    runCommand([this] {
        // One storm is added again at once; more are asked about.
        const std::size_t count = session_->comparison().size();
        if (count > 1 && !desktop_.askYesNo(
                             PromptTitle, QStringLiteral("要清除对比中的%1个雨型吗？").arg(count)))
            return Status();
        session_->clearComparison();
        return Status();
    });
}

void TFormQuorvel::showComparison() {
    if (!session_)
        return;
    chartView_->showComparison(*session_);
    chartView_->draw();
}

} // namespace velmora
