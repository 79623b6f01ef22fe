#include "document_chart.h"

#include "application_setup.h"
#include "hyetograph_chart.h"
#include "storm_chart_view.h"
#include "storm_session.h"

namespace velmora {

DocumentChart::DocumentChart() : chart_(std::make_unique<HyetographChart>()) {
    chart_->setFont(WindowFont());
    chart_->setAttribute(Qt::WA_DontShowOnScreen);
    view_ = std::make_unique<StormChartView>(*chart_);
}

DocumentChart::~DocumentChart() = default;

QImage DocumentChart::picture(const StormSession& session, const QSize& size, qreal pixelRatio) {
    const TOptions& options = session.options();
    view_->applyOptions(options, chart_->palette());
    view_->showStorm(session, options.Bool_ShowAxis_Overall_Rainfall,
                     options.Bool_ShowAxis_Rainfall_Intensity);
    return chart_->picture(size, pixelRatio);
}

int DocumentChart::logicalDpiX() const {
    return chart_->logicalDpiX();
}

} // namespace velmora
