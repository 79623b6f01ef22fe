#include "report_chart.h"

#include "application_setup.h"
#include "calculation_report.h"
#include "cli_arguments.h"
#include "document_chart.h"
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

ReportChartDrawer::ReportChartDrawer() = default;

ReportChartDrawer::~ReportChartDrawer() = default;

Result<QImage> ReportChartDrawer::draw(StormSession& session) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return Failure::Error(QStringLiteral("无法绘制曲线图"));
    if (!chart_)
        chart_ = std::make_unique<DocumentChart>();
    return chart_->picture(session, ReportChartPictureSize(chart_->logicalDpiX()),
                           ReportChartPixelRatio);
}

} // namespace velmora::cli
