#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace velmora {

class Desktop;

// The notice of the About window: free software under the GNU GPL, version 3
// or later, without warranty.
inline const QString LicenceNotice =
    QStringLiteral("本程序是自由软件，按GNU通用公共许可证第3版或（由您选择）任何更高版本发布，"
                   "不提供任何担保。");
// The GNU GPL's text as the program carries it (the project's LICENSE).
QString LicenceText();

// `TFormAbout`: the About window with two pages, one shown at a time: "About"
// (product, version, the maker's web address, the licence notice with a link
// to the licence's text) and "AddQun" (the chat group's QR code). Made once,
// hidden between showings; always on top.
class TFormAbout final : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(Desktop& desktop, QWidget* parent = nullptr);

    // Page "About" with "版本：Ver" and `version`, modal, centred on the screen.
    void ShowAbout(const QString& version);
    // Page "AddQun", captioned "加入讨论群", modal, centred on the screen.
    void ShowAddGroup();

private:
    void buildAboutPage();
    void buildGroupPage();
    void LinkLabel1LinkClick();
    // The GNU GPL's text, in a dialog of its own.
    void ShowLicence();
    // Sizes the window to `client`, centres it on the screen and `button`
    // horizontally at `buttonTop`, then shows it modally.
    void showPage(QWidget* page, QSize client, QPushButton* button, int buttonTop);

    Desktop& desktop_;
    QWidget* pageAbout_ = nullptr;
    QWidget* pageAddQun_ = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label_Version = nullptr;
    QLabel* LinkLabel1 = nullptr;
    QLabel* Label_Licence = nullptr;
    QLabel* LinkLabel_Licence = nullptr;
    QPushButton* ButtonOK = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* btn_1 = nullptr;
};

} // namespace velmora
