#include "desktop_hand_over.h"

#include "desktop.h"

namespace velmora {

QString SavedButNotOpenedText(const QString& path) {
    return QStringLiteral("文件已保存到“%1”，但没有找到打开它的程序").arg(path);
}

QString DocumentNotOpenedText(const QString& path) {
    return QStringLiteral("没有找到打开“%1”的程序，可以复制这个路径，用其他程序打开").arg(path);
}

QString AddressNotOpenedText(const QUrl& address) {
    return QStringLiteral("没有找到打开网址的程序，可以复制这个网址，在浏览器中打开：\r\n%1")
        .arg(address.toString(QUrl::FullyEncoded));
}

namespace {

Desktop::NotOpened Say(Desktop& desktop, QString text) {
    return [&desktop, text = std::move(text)] { desktop.showCopyableText(PromptTitle, text); };
}

} // namespace

void OpenSavedFile(Desktop& desktop, const QString& path) {
    desktop.openWithDefaultApplication(path, Say(desktop, SavedButNotOpenedText(path)));
}

void OpenSavedFileInTextEditor(Desktop& desktop, const QString& path) {
    desktop.openInTextEditor(path, Say(desktop, SavedButNotOpenedText(path)));
}

void OpenDocument(Desktop& desktop, const QString& path) {
    desktop.openWithDefaultApplication(path, Say(desktop, DocumentNotOpenedText(path)));
}

void OpenAddress(Desktop& desktop, const QUrl& address) {
    desktop.openAddress(address, Say(desktop, AddressNotOpenedText(address)));
}

} // namespace velmora
