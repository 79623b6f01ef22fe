// velmora-manual-maker SOURCE.html OUTPUT.pdf
//
// Writes the user manual: the HTML source with the pictures it names
// ("picture:main-window" and the others below) taken from the real window and
// dialogs, offscreen, and printed to a PDF with Qt's own writer, fonts
// embedded. Run at build time, so the pictures always show the program as
// built. Reads no settings of the person building it.

#include "application_setup.h"
#include "capturing_desktop.h"
#include "formula_fit_dialog.h"
#include "help_commands.h"
#include "main_window.h"
#include "settings_folder.h"
#include "storm_session.h"
#include "update_answer.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

using namespace velmora;
using velmora::manual::CapturingDesktop;
using velmora::manual::Picture;

namespace {

// The part of the window around `menu` dropped down from `at` (window
// coordinates), as a person sees it: from the window's top-left corner when
// `fromCorner`, else a margin around the menu.
QImage WindowWithMenu(QMainWindow& window, QMenu& menu, QPoint at, bool fromCorner) {
    QImage picture = Picture(window);
    menu.popup(window.mapToGlobal(at));
    const QImage dropped = Picture(menu);
    menu.hide();
    const QRectF menuArea(QPointF(at), dropped.deviceIndependentSize());
    {
        QPainter painter(&picture);
        painter.drawImage(menuArea.topLeft(), dropped);
        // A thin frame, since the menu's shadow is the desktop's.
        painter.setPen(QColor(160, 160, 160));
        painter.drawRect(menuArea.adjusted(0, 0, -1, -1));
    }
    const QRect around = menuArea.toAlignedRect().adjusted(-60, -40, 160, 40);
    const QRect shown =
        (fromCorner ? QRect(QPoint(0, 0), around.bottomRight()) : around) & window.rect();
    const qreal ratio = picture.devicePixelRatio();
    return picture.copy(
        QRectF(QPointF(shown.topLeft()) * ratio, QSizeF(shown.size()) * ratio).toRect());
}

QImage MainMenuPicture(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions())
        if (action->text() == title && action->menu()) {
            const QRect item = window.menuBar()->actionGeometry(action);
            return WindowWithMenu(window, *action->menu(),
                                  window.menuBar()->mapTo(&window, item.bottomLeft()), true);
        }
    return {};
}

QImage ContextMenuPicture(QMainWindow& window, const char* menuName, const char* widgetName,
                          QPoint offset) {
    auto* menu = window.findChild<QMenu*>(QString::fromLatin1(menuName));
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(widgetName));
    if (!menu || !widget)
        return {};
    return WindowWithMenu(window, *menu, widget->mapTo(&window, offset), false);
}

// The question of the update check, for an example answer.
QImage UpdateQuestionPicture() {
    const UpdateOffer example{QStringLiteral("2.2"),
                              QStringLiteral("图表可以缩放\r\n修正了SWMM文件的时间格式\r\n"),
                              QUrl(QStringLiteral("https://www.example.com/"))};
    QMessageBox box(QMessageBox::Question, UpdateTitle, UpdateQuestionText(example),
                    QMessageBox::Yes | QMessageBox::No);
    return Picture(box);
}

std::map<QString, QImage> TakePictures() {
    QTemporaryDir settings;
    StormSession session(OptionsFileIn(settings.path()));
    CapturingDesktop desktop;
    TFormQuorvel window(session, desktop);
    std::map<QString, QImage> pictures;
    pictures[QStringLiteral("main-window")] = Picture(window);
    pictures[QStringLiteral("menu-file")] = MainMenuPicture(window, QStringLiteral("文件(&F)"));
    pictures[QStringLiteral("menu-data")] = MainMenuPicture(window, QStringLiteral("数据(&D)"));
    pictures[QStringLiteral("menu-help")] = MainMenuPicture(window, QStringLiteral("帮助(&H)"));
    pictures[QStringLiteral("menu-chart")] =
        ContextMenuPicture(window, "PopupMenu_Picture", "Chart1", {300, 200});
    pictures[QStringLiteral("menu-grid")] =
        ContextMenuPicture(window, "PopupMenu_Grid", "GridData", {20, 120});

    desktop.nextPicture = QStringLiteral("new-storm");
    window.ButtonNewRainModelClick();
    desktop.nextPicture = QStringLiteral("options");
    window.Menu_OptionsClick();
    desktop.nextPicture = QStringLiteral("about");
    window.helpCommands().Menu_AboutClick();
    desktop.nextPicture = QStringLiteral("add-group");
    window.helpCommands().Menu_AddQQClick();
    // The dialog of a model chosen, cancelled before anything is read.
    desktop.openFile = settings.filePath(QStringLiteral("雨水管网.inp"));
    desktop.nextPicture = QStringLiteral("swmm-model");
    window.findChild<QAction*>(QStringLiteral("Menu_WriteIntoSwmmModel"))->trigger();
    desktop.openFile.clear();
    // Filled with the example table of intensities and fitted.
    desktop.nextPicture = QStringLiteral("formula-fit");
    bool fitted = false;
    desktop.beforePicture = [&fitted](QDialog& dialog) {
        const Result<QString> table =
            ReadRainDataFile(QStringLiteral(VELMORA_EXAMPLES_FOLDER "/intensity_table.csv"));
        if (!table)
            return;
        dialog.findChild<QPlainTextEdit*>(QStringLiteral("Edit_Data"))->setPlainText(*table);
        auto& fit = dynamic_cast<FormulaFitDialog&>(dialog);
        fit.fit();
        fitted = fit.shownFit().has_value();
    };
    window.Menu_FormulaFitClick();
    if (!fitted) // no picture rather than one of an empty dialog
        desktop.pictures.erase(QStringLiteral("formula-fit"));
    pictures.merge(desktop.pictures);
    pictures[QStringLiteral("update-question")] = UpdateQuestionPicture();

    // Three return periods compared, the last one shown.
    for (const double years : {1.0, 5.0, 20.0}) {
        TExpressionObject storm = session.storm();
        storm.Storm_RepeatYear = years;
        session.newStorm(storm);
        window.Menu_AddToComparisonClick();
    }
    pictures[QStringLiteral("main-window-compare")] = Picture(window);
    session.clearComparison();
    session.newStorm(DefaultStorm());

    // As the SWMM export leaves it: hours and minutes, mm/h.
    session.switchToSwmmUnits();
    window.RefreshHyetograph();
    pictures[QStringLiteral("main-window-hm")] = Picture(window);
    return pictures;
}

// Gives every picture of `url` in `html` both its width and its height: the
// width the source asks for (else the picture's size on screen) and the height
// that keeps its proportions.
QString SizedPictures(const QString& html, const QString& url, QSizeF onScreen) {
    static const QRegularExpression image(
        QStringLiteral("<img src=\"([^\"]+)\"(?: width=\"(\\d+)\")?>"));
    QString sized;
    qsizetype done = 0;
    for (auto it = image.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(1) != url)
            continue;
        const double width = match.hasCaptured(2) ? match.captured(2).toDouble() : onScreen.width();
        const double height = width * onScreen.height() / onScreen.width();
        sized += html.mid(done, match.capturedStart() - done) +
                 QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
                     .arg(url)
                     .arg(qRound(width))
                     .arg(qRound(height));
        done = match.capturedEnd();
    }
    return sized + html.mid(done);
}

bool WriteManual(const QString& sourcePath, const QString& outputPath) {
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "velmora-manual-maker: cannot read %s\n", qPrintable(sourcePath));
        return false;
    }
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("WenQuanYi Zen Hei"), 10));
    QString html = QString::fromUtf8(source.readAll());
    for (const auto& [name, picture] : TakePictures()) {
        if (picture.isNull()) {
            std::fprintf(stderr, "velmora-manual-maker: no picture of %s\n", qPrintable(name));
            return false;
        }
        // All pixels go to print; the size on paper is the source's width, or
        // the size on screen.
        QImage pixels = picture;
        pixels.setDevicePixelRatio(1);
        const QString url = QStringLiteral("picture:") + name;
        document.addResource(QTextDocument::ImageResource, QUrl(url), pixels);
        html = SizedPictures(html, url, picture.deviceIndependentSize());
    }
    document.setHtml(html);

    // Written whole or not at all: a stopped build leaves no half manual.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "velmora-manual-maker: cannot write %s\n", qPrintable(outputPath));
        return false;
    }
    QPdfWriter writer(&output);
    writer.setTitle(QStringLiteral("Velmora 软件说明书"));
    writer.setCreator(QStringLiteral("Velmora"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(300);
    // Printing lays the text out on A4 with margins of 2 cm and numbers the pages.
    document.print(&writer);
    if (!output.commit()) {
        std::fprintf(stderr, "velmora-manual-maker: cannot write %s\n", qPrintable(outputPath));
        return false;
    }
    return true;
}

// The offscreen platform's notes about what it cannot do (raise a window,
// grab the keyboard) say nothing about the manual.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

int main(int argc, char* argv[]) {
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The pictures show the window as the program shows it: its fonts and
    // Qt's own texts in Chinese.
    PrepareApplication(application);
    SetApplicationIcon();
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: velmora-manual-maker SOURCE.html OUTPUT.pdf\n");
        return 2;
    }
    return WriteManual(arguments[1], arguments[2]) ? 0 : 1;
}
