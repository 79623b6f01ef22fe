// The storms compared on the chart: "加入对比" and "清除对比", and the compared
// lines drawn in the unit the chart shows.

#include "main_window.h"

#include "desktop.h"
#include "hyetograph_chart.h"
#include "number_text.h"
#include "storm_session.h"

namespace velmora {

namespace {

std::vector<ComparedLine> ComparedLines(const StormSession& session) {
    const StormUnit unit = session.options().Int_StormUnitidx;
    const QStringList legends = ComparedStormLegends(session.comparison(), UserDecimalSeparator());
    std::vector<ComparedLine> lines;
    for (const TComparedStorm& compared : session.comparison()) {
        ComparedLine line{legends[static_cast<qsizetype>(lines.size())], {}, {}};
        const auto count = static_cast<qsizetype>(compared.rows.size());
        line.minutes.reserve(count);
        line.intensities.reserve(count);
        for (std::size_t row = 0; row < compared.rows.size(); ++row) {
            line.minutes.append(compared.rows[row].time);
            line.intensities.append(compared.intensityIn(row, unit));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

void TFormQuorvel::Menu_AddToComparisonClick() {
    runCommand([this]() -> Status {
        // Nothing to add, nothing new or no room: the person is told, as for an
        // empty export.
        if (session_.table().empty()) {
            desktop_.showInformation(PromptTitle, NoStormToCompareMessage);
            return {};
        }
        if (session_.currentStormCompared()) {
            desktop_.showInformation(PromptTitle, AlreadyComparedMessage);
            return {};
        }
        if (session_.comparison().size() >= MaxComparedStorms) {
            desktop_.showInformation(PromptTitle, ComparisonFullMessage);
            return {};
        }
        return session_.addToComparison();
    });
}

void TFormQuorvel::Menu_ClearComparisonClick() {
    runCommand([this] {
        // One storm is added again at once; more are asked about.
        const std::size_t count = session_.comparison().size();
        if (count > 1 && !desktop_.askYesNo(
                             PromptTitle, QStringLiteral("要清除对比中的%1个雨型吗？").arg(count)))
            return Status();
        session_.clearComparison();
        return Status();
    });
}

void TFormQuorvel::showComparedLines() {
    Chart1->setComparedLines(ComparedLines(session_),
                             ShownStormLegend(session_.storm(), UserDecimalSeparator()));
}

void TFormQuorvel::showComparison() {
    showComparedLines();
    fitValueAxes();
    Chart1->replot();
}

} // namespace velmora
