#include "report_chart.h"

#include "application_setup.h"
#include "calculation_report.h"
#include "cli_arguments.h"
#include "main_window.h"
#include "silent_desktop.h"
#include "storm_session.h"

#include <QApplication>

namespace velmora::cli {

namespace {

void QuietQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv,
                                                  const Result<CliRequest>& parsed) {
    if (!parsed || (parsed->format != ExportFormat::Report && !parsed->pictureFormat))
        return std::make_unique<QCoreApplication>(argc, argv);
    // The same drawing wherever the command runs, with or without a display;
    // the platform's notes on the offscreen window are no business of its user.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    auto application = std::make_unique<QApplication>(argc, argv);
    PrepareApplication(*application);
    return application;
}

ReportChartDrawer::ReportChartDrawer() : desktop_(std::make_unique<SilentDesktop>()) {}

ReportChartDrawer::~ReportChartDrawer() = default;

Result<QImage> ReportChartDrawer::draw(StormSession& session) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return Failure::Error(QStringLiteral("无法绘制曲线图"));
    if (!window_ || drawnSession_ != &session) {
        window_ = std::make_unique<TFormQuorvel>(session, *desktop_);
        drawnSession_ = &session;
        // Laid out once (offscreen, nothing appears), then hidden: the window
        // draws each storm's chart only into its picture, not for a screen too.
        window_->show();
        window_->hide();
    }
    return window_->ChartPicture(ReportChartPictureSize(window_->logicalDpiX()),
                                 ReportChartPixelRatio);
}

} // namespace velmora::cli
