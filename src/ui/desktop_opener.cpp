#include "desktop_opener.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>

namespace velmora {

#ifdef Q_OS_WIN

void OpenThroughDesktop(const QUrl& target, QObject*, std::function<void()> notOpened) {
    // The shell says at once whether a program took the file.
    if (!QDesktopServices::openUrl(target))
        notOpened();
}

#else

namespace {

// How long after its start a failing xdg-open means that nothing was opened.
// xdg-open without a desktop of its own runs the program in the foreground and
// ends with its exit status when the person closes it, which is no failure
// to open.
constexpr qint64 OpenerFailureWindowMs = 10000;

} // namespace

void OpenThroughDesktop(const QUrl& target, QObject* context, std::function<void()> notOpened) {
    // The watcher has no parent: a program that xdg-open still runs in the
    // foreground when Velmora ends keeps running, where deleting the watcher
    // would kill it. A watcher that saw its opener end deletes itself.
    auto* opener = new QProcess;
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(opener, &QProcess::finished, context,
                     [started, notOpened](int exitCode, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || exitCode != 0) &&
                             started->elapsed() < OpenerFailureWindowMs)
                             notOpened();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, context,
                     [notOpened](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             notOpened();
                     });
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             opener->deleteLater();
                     });
    opener->start(
        QStringLiteral("xdg-open"),
        {target.isLocalFile() ? target.toLocalFile() : target.toString(QUrl::FullyEncoded)});
}

#endif

} // namespace velmora
