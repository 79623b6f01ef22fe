#include "application_setup.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

// The icons are built into this static library; Q_INIT_RESOURCE names their
// initializer for the linker and must be used outside any namespace.
static void RegisterIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace velmora {

void PrepareApplication(QApplication& application) {
    // A taskbar ties the window to its menu entry by the desktop file's name
    // and by the window class, which X11 takes from the application's name
    // (the entry's StartupWMClass).
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.Velmora"));

    auto* translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

#ifndef Q_OS_WIN
    // fontconfig resolves 宋体 to a face without Chinese glyphs; name the
    // metric-compatible and Song-style faces the set-up installs. Windows
    // has both faces itself.
    QFont::insertSubstitutions(QStringLiteral("宋体"), {QStringLiteral("AR PL UMing CN"),
                                                        QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(QStringLiteral("SimSun"), {QStringLiteral("AR PL UMing CN"),
                                                          QStringLiteral("WenQuanYi Zen Hei")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"),
                                                         QStringLiteral("WenQuanYi Zen Hei")});
#endif
}

void SetApplicationIcon() {
    if (!QApplication::windowIcon().isNull())
        return;
    RegisterIconResources();
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/icons/%1x%1/velmora.png").arg(size),
                     QSize(size, size));
    QApplication::setWindowIcon(icon);
}

namespace {

// A window that starts minimised is not painted: the work is done after a
// while all the same.
constexpr int UnpaintedWindowWaitMs = 1000;

// Watches the window for its first paint and then hands the work to the event
// loop, which runs it once the paint is done.
class FirstPaintWatcher final : public QObject {
public:
    FirstPaintWatcher(QWidget& window, std::function<void()> work)
        : QObject(&window), window_(window), work_(std::move(work)) {
        QTimer::singleShot(UnpaintedWindowWaitMs, this, &FirstPaintWatcher::run);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, this, &FirstPaintWatcher::run);
        return false;
    }

private:
    void run() {
        if (done_)
            return;
        done_ = true;
        window_.removeEventFilter(this);
        work_();
        deleteLater();
    }

    QWidget& window_;
    std::function<void()> work_;
    bool done_ = false;
};

} // namespace

void AfterFirstPaint(QWidget& window, std::function<void()> work) {
    window.installEventFilter(new FirstPaintWatcher(window, std::move(work)));
}

} // namespace velmora
