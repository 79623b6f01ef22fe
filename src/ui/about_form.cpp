#include "about_form.h"

#include "desktop.h"
#include "desktop_hand_over.h"
#include "group_picture.h"
#include "maker.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace velmora {

namespace {

const QRect GroupBoxGeometry(3, 3, 284, 81);
const QRect PictureGeometry(10, 8, 272, 284);
const QSize ButtonSize(75, 25);

QLabel* CentredLine(QWidget* parent, const char* name, int top) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, top, parent->width(), 18);
    return label;
}

} // namespace

TFormAbout::TFormAbout(Desktop& desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      desktop_(desktop) {
    setObjectName(QStringLiteral("FormAbout"));
    setWindowTitle(QStringLiteral("关于"));
    setFont(QFont(QStringLiteral("宋体"), 9));
    buildAboutPage();
    buildGroupPage();
}

void TFormAbout::buildAboutPage() {
    pageAbout_ = new QWidget(this);
    pageAbout_->setObjectName(QStringLiteral("About"));
    GroupBox1 = new QGroupBox(pageAbout_);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(GroupBoxGeometry);

    QLabel* product = CentredLine(GroupBox1, "Label_Product", 12);
    product->setText(QStringLiteral("Velmora"));
    QFont bold = product->font();
    bold.setBold(true);
    product->setFont(bold);
    Label_Version = CentredLine(GroupBox1, "Label_Version", 34);
    Label_Version->setText(QStringLiteral("版本：Ver1.05  "));
    LinkLabel1 = CentredLine(GroupBox1, "LinkLabel1", 56);
    const QString address = QStringLiteral(VELMORA_MAKER_ADDRESS);
    LinkLabel1->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
    LinkLabel1->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(LinkLabel1, &QLabel::linkActivated, this, &TFormAbout::LinkLabel1LinkClick);

    ButtonOK = new QPushButton(QStringLiteral("确定"), pageAbout_);
    ButtonOK->setObjectName(QStringLiteral("ButtonOK"));
    ButtonOK->resize(ButtonSize);
    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormAbout::buildGroupPage() {
    pageAddQun_ = new QWidget(this);
    pageAddQun_->setObjectName(QStringLiteral("AddQun"));
    Image1 = new QLabel(pageAddQun_);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(PictureGeometry);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(QPixmap::fromImage(
        DiscussionGroupPicture(QStringLiteral(VELMORA_DISCUSSION_GROUP_ADDRESS),
                               QStringLiteral("用手机QQ扫描二维码，加入讨论群"))));

    btn_1 = new QPushButton(QStringLiteral("确定"), pageAddQun_);
    btn_1->setObjectName(QStringLiteral("btn_1"));
    btn_1->resize(ButtonSize);
    connect(btn_1, &QPushButton::clicked, this, &QDialog::accept);
}

void TFormAbout::ShowAbout(const QString& version) {
    Label_Version->setText(QStringLiteral("版本：Ver%1").arg(version));
    setWindowTitle(QStringLiteral("关于"));
    // The group box with the same margin on its right as on its left (the
    // window's width is the box's width plus both margins).
    const QSize client(GroupBoxGeometry.left() + GroupBoxGeometry.right() + 1,
                       GroupBoxGeometry.bottom() + 1 + ButtonSize.height() + 18);
    showPage(pageAbout_, client, ButtonOK, GroupBoxGeometry.bottom() + 1 + 8);
}

void TFormAbout::ShowAddGroup() {
    setWindowTitle(QStringLiteral("加入讨论群"));
    const QSize client(PictureGeometry.width() + 20,
                       PictureGeometry.height() + PictureGeometry.top() + ButtonSize.height() + 18);
    showPage(pageAddQun_, client, btn_1, PictureGeometry.bottom() + 1 + 8);
}

void TFormAbout::showPage(QWidget* page, QSize client, QPushButton* button, int buttonTop) {
    pageAbout_->setVisible(page == pageAbout_);
    pageAddQun_->setVisible(page == pageAddQun_);
    setFixedSize(client);
    page->setGeometry(0, 0, client.width(), client.height());
    if (const QScreen* screen =
            parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - client.width()) / 2,
             area.top() + (area.height() - client.height()) / 2);
    }
    button->move((client.width() - button->width()) / 2, buttonTop);
    button->setDefault(true);
    desktop_.runModal(*this);
}

void TFormAbout::LinkLabel1LinkClick() {
    OpenAddress(desktop_, QUrl(QStringLiteral(VELMORA_MAKER_ADDRESS)));
}

} // namespace velmora
