// The program's start, ending as soon as the window has been painted once: run
// as a whole process to measure the time from start to the first painted window.

#include "application_setup.h"
#include "main_window.h"
#include "settings_folder.h"
#include "silent_desktop.h"
#include "storm_session.h"

#include <QApplication>
#include <QTimer>

namespace {

// Ends the event loop after the first paint of the watched widget.
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
    velmora::PrepareApplication(application);
    velmora::StormSession session(velmora::OptionsFileIn(velmora::DefaultSettingsBase()));
    velmora::SilentDesktop desktop;
    velmora::TFormQuorvel window(session, desktop);
    FirstPaint firstPaint;
    window.installEventFilter(&firstPaint);
    window.show();
    return application.exec();
}
