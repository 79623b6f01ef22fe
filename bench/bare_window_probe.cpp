// The yardstick of the start-up measurement: a bare Qt main window with a
// menu bar and one label, ending as soon as it has been painted once. Run as a
// whole process beside startup_probe, on the same display.

#include "first_paint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("文件(&F)"));
    window.setCentralWidget(new QLabel(QStringLiteral("雨型")));
    window.resize(800, 500);
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return application.exec();
}
