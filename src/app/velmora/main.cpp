// velmora: the desktop program.

#include "main_window.h"
#include "qt_desktop.h"
#include "settings_folder.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora"));

    velmora::QtDesktop desktop(nullptr);
    velmora::TFormQuorvel window(desktop, velmora::DefaultSettingsBase());
    desktop.setParent(&window);
    window.show();
    return application.exec();
}
