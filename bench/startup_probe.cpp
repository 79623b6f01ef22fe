// The program's start, ending as soon as the window has been painted once: run
// as a whole process to measure the time from start to the first painted window.

#include "application_setup.h"
#include "main_window.h"
#include "settings_folder.h"
#include "silent_desktop.h"
#include "storm_session.h"

#include "first_paint.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmora::PrepareApplication(application);
    velmora::StormSession session(velmora::OptionsFileIn(velmora::DefaultSettingsBase()));
    velmora::SilentDesktop desktop;
    velmora::TFormQuorvel window(session, desktop);
    velmora::AfterFirstPaint(window, velmora::SetApplicationIcon);
    FirstPaint firstPaint; // installed last, so it hears of the paint first
    window.installEventFilter(&firstPaint);
    window.show();
    return application.exec();
}
