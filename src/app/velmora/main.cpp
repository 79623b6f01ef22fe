// velmora: the desktop program.

#include "application_setup.h"
#include "main_window.h"
#include "qt_desktop.h"
#include "settings_folder.h"
#include "storm_session.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    velmora::PrepareApplication(application);

    // The settings folder is made before the options are read.
    velmora::StormSession session(velmora::OptionsFileIn(velmora::DefaultSettingsBase()));
    velmora::QtDesktop desktop(nullptr);
    velmora::TFormQuorvel window(session, desktop);
    desktop.setParent(&window);
    // The icon is not needed to draw the window.
    velmora::AfterFirstPaint(window, velmora::SetApplicationIcon);
    window.show();
    // `velmora FILE` opens a storm file, as dropping it on the window does.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1)
        window.OpenStormFile(arguments.at(1));
    return application.exec();
}
