#include "application_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

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
    RegisterIconResources();
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/icons/%1x%1/velmora.png").arg(size),
                     QSize(size, size));
    QApplication::setWindowIcon(icon);

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

} // namespace velmora
