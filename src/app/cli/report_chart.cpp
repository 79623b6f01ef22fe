#include "report_chart.h"

#include "application_setup.h"
#include "main_window.h"
#include "picture_encoders.h"
#include "silent_desktop.h"
#include "storm_session.h"

#include <QApplication>

namespace velmora::cli {

namespace {

// The platform's notes on the offscreen window (no runtime folder, no
// session bus) are no business of a command-line user.
void QuietQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

Result<QByteArray> DrawReportChart(StormSession& session) {
    // The same drawing wherever the command runs, with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previous = qInstallMessageHandler(QuietQtMessages);
    int argc = 1;
    char name[] = "velmora-cli";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    PrepareApplication(application);
    SilentDesktop desktop;
    TFormQuorvel window(session, desktop);
    window.show(); // laid out once; offscreen, nothing appears
    Result<QByteArray> picture = EncodePng(window.ChartPicture(QSize(553, 400)));
    qInstallMessageHandler(previous);
    return picture;
}

} // namespace velmora::cli
