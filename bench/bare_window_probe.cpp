// The yardstick of the start-up measurement: a bare Qt main window with a
// menu bar and one label, ending as soon as it has been painted once. Run as a
// whole process beside startup_probe, on the same display.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

namespace {

class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

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
