#include "about_form.h"
#include "group_picture.h"
#include "help_commands.h"
#include "help_links.h"
#include "loopback_http_server.h"
#include "main_window_fixture.h"
#include "qstring_printer.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <qrencode.h>

using namespace velmora;
using velmora::testing::LoopbackHttpServer;
using velmora::testing::ScriptedDesktop;

namespace {

class HelpMenu : public velmora::testing::MainWindowFixture {
protected:
    LoopbackHttpServer server;
    QTemporaryDir folders;

    void SetUp() override {
        start();
        ASSERT_TRUE(server.listening());
        window->helpCommands().setUpdateServer(
            UpdateServer{server.base(), std::chrono::seconds(10)});
    }
    QString folder(const char* name) const { return folders.filePath(QString::fromUtf8(name)); }
    void touch(const char* relative) const {
        const QString path = folder(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
};

using Kind = ScriptedDesktop::Message::Kind;

} // namespace

TEST_F(HelpMenu, ANewerVersionIsOfferedAndItsPageOpenedOnYes) {
    QStringList seenWhileWaiting;
    server.respond = [&](const auto&) -> std::optional<QByteArray> {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        seenWhileWaiting << (cursor && cursor->shape() == Qt::WaitCursor ? "busy" : "idle")
                         << (find<QAction>("Menu_Update")->isEnabled() ? "enabled" : "disabled");
        return LoopbackHttpServer::Answer(
            200, "OK",
            QStringLiteral("2.2\r\nhttps://www.example.com/velmora/2.2\r\n"
                           "图表可以缩放\r\n修正了SWMM导出\r\n@@@@@@<p>页面</p>")
                .toUtf8());
    };
    desktop.yesNoAnswers = {false, true};
    find<QAction>("Menu_Update")->trigger();   // No: nothing opens
    window->helpCommands().Menu_UpdateClick(); // at once again, Yes

    EXPECT_EQ(seenWhileWaiting, (QStringList{"busy", "disabled", "busy", "disabled"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(find<QAction>("Menu_Update")->isEnabled());
    const QString question = QStringLiteral(
        "新版本：Ver2.2 "
        "已经发布~\r\n更新内容:\r\n图表可以缩放\r\n修正了SWMM导出\r\n\r\n是否立即查看？");
    ASSERT_EQ(desktop.messages.size(), 2u);
    for (const auto& message : desktop.messages) {
        EXPECT_EQ(message.kind, Kind::Question);
        EXPECT_EQ(message.title, QStringLiteral("更新"));
        EXPECT_EQ(message.text, question);
    }
    EXPECT_EQ(desktop.openedAddresses,
              std::vector<QUrl>{QUrl(QStringLiteral("https://www.example.com/velmora/2.2"))});
}

TEST_F(HelpMenu, EveryOtherOutcomeIsAMessageAndOpensNothing) {
    const struct {
        QByteArray answer;
        Kind kind;
        QString title;
        QString text;
    } cases[] = {
        {LoopbackHttpServer::Answer(200, "OK", "2.11\r\nhttp://www.example.com/\r\n@@@@@@"),
         Kind::Information, QStringLiteral("提示"), QStringLiteral("已经是最新版本了")},
        {LoopbackHttpServer::Answer(200, "OK", "2.105\r\nhttp://www.example.com/\r\n@@@@@@"),
         Kind::Information, QStringLiteral("提示"), QStringLiteral("已经是最新版本了")},
        {LoopbackHttpServer::Answer(404, "Not Found", "gone"), Kind::Error, QStringLiteral("错误"),
         QStringLiteral("出错：HTTP 404 Not Found")},
        {LoopbackHttpServer::Answer(200, "OK", "2.2\r\njavascript:alert(1)\r\n@@@@@@"), Kind::Error,
         QStringLiteral("错误"),
         QStringLiteral("出错：更新页面的地址不是网页地址（http 或 https）：javascript:alert(1)")},
    };
    for (const auto& c : cases) {
        desktop.messages.clear();
        server.respond = [&c](const auto&) { return c.answer; };
        window->helpCommands().Menu_UpdateClick();
        ASSERT_EQ(desktop.messages.size(), 1u) << c.answer.toStdString();
        EXPECT_EQ(desktop.messages[0].kind, c.kind);
        EXPECT_EQ(desktop.messages[0].title, c.title);
        EXPECT_EQ(desktop.messages[0].text, c.text);
    }
    EXPECT_TRUE(desktop.openedAddresses.empty());
}

TEST_F(HelpMenu, AServerThatNeverAnswersEndsTheCheckAfterTheTimeout) {
    window->helpCommands().setUpdateServer(
        UpdateServer{server.base(), std::chrono::milliseconds(200)});
    server.respond = [](const auto&) { return std::nullopt; };
    window->helpCommands().Menu_UpdateClick();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("错误"));
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("出错：服务器在 0.2 秒内没有回答"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(find<QAction>("Menu_Update")->isEnabled());
}

TEST_F(HelpMenu, HelpOpensTheFirstManualOfTheFirstFolderHoldingOne) {
    touch("program/软件说明书.pdf");
    touch("program/软件说明书v2.pdf");
    touch("program/说明书.pdf");
    touch("program/sub/软件说明书x.pdf");
    touch("doc/软件说明书.pdf");
    touch("empty/软件说明书.txt");
    touch("empty/sub/软件说明书.pdf");

    window->helpCommands().setManualFolders({folder("empty"), folder("program"), folder("doc")});
    find<QAction>("Menu_help1")->trigger();
    window->helpCommands().setManualFolders({folder("empty"), folder("doc")});
    window->helpCommands().Menu_help1Click();
    window->helpCommands().setManualFolders({folder("empty"), folder("missing")});
    window->helpCommands().Menu_help1Click(); // none found: nothing happens

    EXPECT_EQ(desktop.openedFiles, (std::vector<QString>{folder("program/软件说明书.pdf"),
                                                         folder("doc/软件说明书.pdf")}));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(HelpMenu, HelpOpensTheManualTheBuildWroteBesideTheProgram) {
    window->helpCommands().setManualFolders({QStringLiteral(VELMORA_PROGRAM_DIR)});
    window->helpCommands().Menu_help1Click();
    EXPECT_EQ(desktop.openedFiles, std::vector<QString>{QString::fromUtf8(VELMORA_MANUAL_PDF)});
    EXPECT_TRUE(QFileInfo(QString::fromUtf8(VELMORA_MANUAL_PDF)).size() > 0);
}

TEST_F(HelpMenu, TheManualIsLookedForBesideTheProgramAndInTheProgramsDataFolder) {
    const QString program = QCoreApplication::applicationDirPath();
    EXPECT_EQ(
        DefaultManualFolders(),
        (QStringList{program, QDir::cleanPath(program + QStringLiteral("/../share/velmora"))}));
}

TEST_F(HelpMenu, CustomerServiceOpensTheMakersPageForThisProduct) {
    find<QAction>("menu_kefu")->trigger();
    ASSERT_EQ(desktop.openedAddresses.size(), 1u);
    EXPECT_EQ(desktop.openedAddresses[0].toString(QUrl::FullyEncoded),
              QStringLiteral("https://www.example.com/kefu/livechat?soft=Velmora"));
}

TEST_F(HelpMenu, TheAboutWindowShowsEitherPageSizedAndCentred) {
    struct Seen {
        QDialog* window;
        QString caption;
        bool aboutPage, groupPage, onTop;
        QRect geometry, button;
        QString version;
    };
    std::vector<Seen> seen;
    const auto record = [&](QDialog& dialog) {
        auto* about = dialog.findChild<QWidget*>(QStringLiteral("About"));
        auto* group = dialog.findChild<QWidget*>(QStringLiteral("AddQun"));
        auto* button =
            dialog.findChild<QPushButton*>(about->isVisibleTo(&dialog) ? "ButtonOK" : "btn_1");
        seen.push_back({&dialog, dialog.windowTitle(), about->isVisibleTo(&dialog),
                        group->isVisibleTo(&dialog),
                        dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                        QRect(dialog.pos(), dialog.size()), button->geometry(),
                        dialog.findChild<QLabel*>("Label_Version")->text()});
        button->click();
    };
    desktop.dialogScripts = {
        record, record, [&](QDialog& dialog) {
            record(dialog);
            emit dialog.findChild<QLabel*>("LinkLabel1")->linkActivated(QString());
        }};
    find<QAction>("Menu_About")->trigger();
    find<QAction>("Menu_AddQQ")->trigger();
    window->helpCommands().Menu_AboutClick();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto centred = [&](int width, int height) {
        return QRect((screen.width() - width) / 2, (screen.height() - height) / 2, width, height);
    };
    ASSERT_EQ(seen.size(), 3u);
    for (const std::size_t about : {0u, 2u}) {
        EXPECT_EQ(seen[about].caption, QStringLiteral("关于"));
        EXPECT_TRUE(seen[about].aboutPage);
        EXPECT_FALSE(seen[about].groupPage);
        EXPECT_EQ(seen[about].geometry, centred(290, 189)); // with the licence notice
        EXPECT_EQ(seen[about].button, QRect(107, 154, 75, 25));
        EXPECT_EQ(seen[about].version, QStringLiteral("版本：Ver2.11"));
    }
    EXPECT_EQ(seen[1].caption, QStringLiteral("加入讨论群"));
    EXPECT_FALSE(seen[1].aboutPage);
    EXPECT_TRUE(seen[1].groupPage);
    EXPECT_EQ(seen[1].geometry, centred(292, 335));
    EXPECT_EQ(seen[1].button, QRect(108, 300, 75, 25));
    for (const Seen& each : seen) {
        EXPECT_EQ(each.window, seen[0].window); // made once
        EXPECT_TRUE(each.onTop);
    }
    EXPECT_EQ(seen[0].window->findChild<QLabel*>("Image1")->pixmap().size(), QSize(272, 284));
    EXPECT_EQ(desktop.openedAddresses,
              std::vector<QUrl>{QUrl(QStringLiteral("https://www.example.com"))});
}

// What the GNU GPL asks of an interactive program: the notice, no warranty,
// and a way to read the licence.
TEST_F(HelpMenu, AboutSaysTheProgramIsFreeSoftwareAndShowsTheLicence) {
    QString licence;
    desktop.dialogScripts = {
        [&](QDialog& about) {
            auto* box = about.findChild<QGroupBox*>(QStringLiteral("GroupBox1"));
            auto* notice = about.findChild<QLabel*>(QStringLiteral("Label_Licence"));
            EXPECT_EQ(notice->text(),
                      QStringLiteral("本程序是自由软件，按GNU通用公共许可证第3版或（由您选择）"
                                     "任何更高版本发布，不提供任何担保。"));
            EXPECT_TRUE(notice->isVisibleTo(&about));
            EXPECT_GE(notice->height(), notice->heightForWidth(notice->width())); // whole
            auto* link = about.findChild<QLabel*>(QStringLiteral("LinkLabel_Licence"));
            EXPECT_TRUE(link->text().contains(QStringLiteral("查看许可证")));
            for (QWidget* line : {static_cast<QWidget*>(notice), static_cast<QWidget*>(link)})
                EXPECT_TRUE(box->rect().contains(line->geometry()));
            EXPECT_LT(box->geometry().bottom(),
                      about.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->y());
            emit link->linkActivated(QStringLiteral("#licence"));
        },
        [&](QDialog& shown) {
            EXPECT_EQ(shown.windowTitle(), QStringLiteral("GNU通用公共许可证"));
            auto* text = shown.findChild<QPlainTextEdit*>(QStringLiteral("LicenceText"));
            ASSERT_NE(text, nullptr);
            EXPECT_TRUE(text->isReadOnly());
            licence = text->toPlainText();
        }};
    find<QAction>("Menu_About")->trigger();
    EXPECT_TRUE(licence.contains(QStringLiteral("GNU GENERAL PUBLIC LICENSE")));
    EXPECT_TRUE(licence.contains(QStringLiteral("Version 3, 29 June 2007")));
    EXPECT_TRUE(licence.contains(QStringLiteral("END OF TERMS AND CONDITIONS")));
}

TEST_F(HelpMenu, AManualOrPageThatNoProgramOpensIsShownToCopy) {
    desktop.opensAnything = false;
    touch("doc/软件说明书.pdf");
    window->helpCommands().setManualFolders({folder("doc")});
    desktop.dialogScripts.push_back([](QDialog& dialog) {
        emit dialog.findChild<QLabel*>("LinkLabel1")->linkActivated(QString());
    });
    const std::pair<const char*, QString> cases[] = {
        {"Menu_help1", QStringLiteral("没有找到打开“%1”的程序，可以复制这个路径，用其他程序打开")
                           .arg(folder("doc/软件说明书.pdf"))},
        {"menu_kefu",
         QStringLiteral("没有找到打开网址的程序，可以复制这个网址，在浏览器中打开：\r\n"
                        "https://www.example.com/kefu/livechat?soft=Velmora")},
        {"Menu_About",
         QStringLiteral("没有找到打开网址的程序，可以复制这个网址，在浏览器中打开：\r\n"
                        "https://www.example.com")},
    };
    for (const auto& [action, text] : cases) {
        SCOPED_TRACE(action);
        desktop.messages.clear();
        find<QAction>(action)->trigger();
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].kind, Kind::Copyable);
        EXPECT_EQ(desktop.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(desktop.messages[0].text, text);
    }
}

// Reads the modules back from the picture and compares them with the symbol
// of the address: the code is drawn whole, upright, with its quiet zone.
TEST(GroupPicture, HoldsTheQrCodeOfTheAddressAboveTheInvitation) {
    const QString address = QStringLiteral("https://www.example.com/qun/12345678");
    const QImage picture = DiscussionGroupPicture(address, QStringLiteral("扫一扫"));
    ASSERT_EQ(picture.size(), QSize(272, 284));

    QRect dark;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 128)
                dark |= QRect(x, y, 1, 1);
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(address.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1),
        &QRcode_free);
    ASSERT_TRUE(code);
    const int modules = code->width;
    ASSERT_EQ(dark.width(), dark.height());
    ASSERT_EQ(dark.width() % modules, 0);
    const int scale = dark.width() / modules;
    EXPECT_GE(scale, 4);
    EXPECT_GE(dark.left(), 4 * scale);
    EXPECT_GE(dark.top(), 4 * scale);
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x) {
            const QPoint centre =
                dark.topLeft() + QPoint(x * scale + scale / 2, y * scale + scale / 2);
            ASSERT_EQ(qGray(picture.pixel(centre)) < 128, bool(code->data[y * modules + x] & 1))
                << x << "," << y;
        }
    // The invitation is written below the code.
    bool written = false;
    for (int y = dark.bottom() + 4 * scale; y < picture.height() && !written; ++y)
        for (int x = 0; x < picture.width() && !written; ++x)
            written = qGray(picture.pixel(x, y)) < 128;
    EXPECT_TRUE(written);
}
