#include "platform_text_editor.h"

#include "desktop_opener.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace velmora {

namespace {

#ifndef Q_OS_WIN
struct DesktopEntry {
    QString exec;
    bool inTerminal = false;
};

DesktopEntry ReadDesktopEntry(const QString& desktopId) {
    const QString entry = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile file(entry);
    if (entry.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    DesktopEntry read;
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        else if (inMainGroup && line.startsWith(QLatin1String("Exec=")) && read.exec.isEmpty())
            read.exec = line.mid(5);
        else if (inMainGroup && line.startsWith(QLatin1String("Terminal=")))
            read.inTerminal = line.mid(9).trimmed() == QLatin1String("true");
    }
    return read;
}

QString DefaultPlainTextApplication() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(3000) || query.exitCode() != 0)
        return {};
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}
#endif

} // namespace

QStringList PlainTextEditorCommand(const QString& exec, bool inTerminal, const QString& path,
                                   const QString& terminalEmulator) {
    if (exec.isEmpty() || (inTerminal && terminalEmulator.isEmpty()))
        return {};
    QStringList command;
    if (inTerminal)
        command << terminalEmulator << QStringLiteral("-e");
    for (const QString& word : QProcess::splitCommand(exec)) {
        if (word == QLatin1String("%f") || word == QLatin1String("%F"))
            command << path;
        else if (word == QLatin1String("%u") || word == QLatin1String("%U"))
            command << QUrl::fromLocalFile(path).toString();
        else if (!(word.size() == 2 && word.startsWith(QLatin1Char('%'))))
            command << word;
    }
    if (!exec.contains(QLatin1Char('%')))
        command << path;
    return command;
}

void OpenInPlainTextEditor(const QString& path, QObject* context, std::function<void()> notOpened) {
#ifdef Q_OS_WIN
    (void)context; // Notepad says at once whether it started
    if (!QProcess::startDetached(QStringLiteral("notepad.exe"), {path}))
        notOpened();
#else
    const QString desktopId = DefaultPlainTextApplication();
    const DesktopEntry entry = desktopId.isEmpty() ? DesktopEntry() : ReadDesktopEntry(desktopId);
    QStringList command = PlainTextEditorCommand(
        entry.exec, entry.inTerminal, path,
        QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator")));
    if (!command.isEmpty()) {
        const QString program = command.takeFirst();
        if (QProcess::startDetached(program, command))
            return;
    }
    OpenThroughDesktop(QUrl::fromLocalFile(path), context, std::move(notOpened));
#endif
}

} // namespace velmora
