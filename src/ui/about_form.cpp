#include "about_form.h"

#include "application_setup.h"
#include "desktop.h"
#include "desktop_hand_over.h"
#include "group_picture.h"
#include "maker.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

// The licence's text is built into this static library: registering it needs
// a call that the linker sees, made outside any namespace.
static void RegisterLicenceResource() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(licence);
        return true;
    }();
    (void)registered;
}

namespace velmora {

namespace {

// The box's place, width and the height of its first three lines; the
// licence notice below them takes what it needs in the window's font.
const QRect GroupBoxGeometry(3, 3, 284, 81);
constexpr int LicenceMargin = 10;
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
    setFont(WindowFont());
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

    // What the GNU GPL asks an interactive program to say.
    Label_Licence = new QLabel(LicenceNotice, GroupBox1);
    Label_Licence->setObjectName(QStringLiteral("Label_Licence"));
    Label_Licence->setWordWrap(true);
    Label_Licence->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const int width = GroupBoxGeometry.width() - 2 * LicenceMargin;
    Label_Licence->setGeometry(LicenceMargin, GroupBoxGeometry.height() - 4, width,
                               Label_Licence->heightForWidth(width));
    LinkLabel_Licence =
        CentredLine(GroupBox1, "LinkLabel_Licence", Label_Licence->geometry().bottom() + 5);
    LinkLabel_Licence->setText(QStringLiteral("<a href=\"#licence\">查看许可证</a>"));
    LinkLabel_Licence->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                               Qt::LinksAccessibleByKeyboard);
    connect(LinkLabel_Licence, &QLabel::linkActivated, this, &TFormAbout::ShowLicence);
    GroupBox1->resize(GroupBoxGeometry.width(), LinkLabel_Licence->geometry().bottom() + 9);

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
    const QRect box = GroupBox1->geometry();
    const QSize client(box.left() + box.right() + 1, box.bottom() + 1 + ButtonSize.height() + 18);
    showPage(pageAbout_, client, ButtonOK, box.bottom() + 1 + 8);
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

QString LicenceText() {
    RegisterLicenceResource();
    QFile file(QStringLiteral(":/licence/LICENSE"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void TFormAbout::ShowLicence() {
    QDialog dialog(this, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                             Qt::WindowCloseButtonHint);
    dialog.setObjectName(QStringLiteral("FormLicence"));
    dialog.setWindowTitle(QStringLiteral("GNU通用公共许可证"));
    auto* text = new QPlainTextEdit(&dialog);
    text->setObjectName(QStringLiteral("LicenceText"));
    text->setReadOnly(true);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(LicenceText());
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button_OK"));
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    // Wide enough for the licence's lines of 80 characters.
    const QFontMetrics metrics(text->font());
    dialog.resize(metrics.horizontalAdvance(QString(80, QLatin1Char('M'))) + 60,
                  metrics.lineSpacing() * 30);
    desktop_.runModal(dialog);
}

} // namespace velmora
