#include "main_window_fixture.h"
#include "number_text.h"
#include "posix_files.h"
#include "qstring_printer.h"
#include "storm_file.h"
#include "system_reason.h"
#include "test_files.h"
#include "text_encoding.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>

#include <functional>

#include <sys/stat.h>

using namespace velmora;
using velmora::testing::ScriptedDesktop;

namespace {

class StormFileCommands : public velmora::testing::MainWindowFixture {
protected:
    QTemporaryDir files;

    void SetUp() override { start(); }

    QString path(const char* name) const { return files.filePath(QString::fromUtf8(name)); }
    static QByteArray contents(const QString& file) { return velmora::testing::Contents(file); }
    static void write(const QString& file, const QByteArray& bytes) {
        ASSERT_TRUE(velmora::testing::WriteBytes(file, bytes));
    }
    void saveAs(const QString& chosen) {
        desktop.saveAnswers.push_back(FileDialogAnswer{chosen, 0});
        window->Menu_SaveAs1Click();
    }
    void open(const QString& chosen) {
        desktop.openAnswers.push_back(FileDialogAnswer{chosen, 0});
        window->Menu_Open1Click();
    }
    QByteArray stormWithStep(int step) const {
        TExpressionObject storm = DefaultStorm();
        storm.Storm_Step = step;
        return StormFileBytes(storm, QLatin1Char('.')).value();
    }
};

} // namespace

TEST_F(StormFileCommands, SaveAsksOnceThenWritesToTheSameFile) {
    desktop.saveAnswers.push_back(FileDialogAnswer{path("abc"), 0});
    window->Menu_Save1Click(); // no current file yet: asks like "雨型另存为..."
    ASSERT_EQ(desktop.fileDialogs.size(), 1u);
    const FileDialogRequest& request = desktop.fileDialogs[0];
    EXPECT_EQ(request.title, QStringLiteral("保存曲线"));
    ASSERT_EQ(request.types.size(), 2u);
    EXPECT_EQ(request.types[0].name, QStringLiteral("文本文件(*.txt)"));
    EXPECT_EQ(request.types[1].mask, QStringLiteral("*.*"));
    EXPECT_TRUE(request.askOverwrite);

    EXPECT_EQ(session->currentStormFile(), path("abc.txt"));
    EXPECT_EQ(contents(path("abc.txt")), StormFileBytes(DefaultStorm(), QLatin1Char('.')).value());

    changeStorm([](TExpressionObject& storm) { storm.Storm_Time = 60; });
    window->Menu_Save1Click();
    EXPECT_EQ(desktop.fileDialogs.size(), 1u);
    EXPECT_TRUE(contents(path("abc.txt"))
                    .contains("\r\n" + EncodeCodePage936(QStringLiteral("降雨历时=60\r\n"))));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(StormFileCommands, TheTxtEndingIsAddedUnlessPresentInAnyCase) {
    saveAs(path("upper.TXT"));
    EXPECT_EQ(session->currentStormFile(), path("upper.TXT"));
    EXPECT_NE(contents(path("upper.TXT")), "<none>");
    saveAs(path("data.dat"));
    EXPECT_EQ(session->currentStormFile(), path("data.dat.txt"));
    EXPECT_NE(contents(path("data.dat.txt")), "<none>");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(StormFileCommands, AnAddedEndingThatMeetsAFileAsksBeforeReplacingIt) {
    write(path("kept.txt"), "old");
    desktop.yesNoAnswers.push_back(false);
    saveAs(path("kept"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Question);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(contents(path("kept.txt")), "old");
    EXPECT_TRUE(session->currentStormFile().isEmpty());

    desktop.yesNoAnswers.push_back(true);
    saveAs(path("kept"));
    EXPECT_EQ(contents(path("kept.txt")), StormFileBytes(DefaultStorm(), QLatin1Char('.')).value());
    EXPECT_EQ(session->currentStormFile(), path("kept.txt"));
}

TEST_F(StormFileCommands, AFailedSaveSaysWhyAndLeavesTheOldFile) {
    write(path("blocker"), "x");
    saveAs(path("blocker/inside.txt"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Error);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("无法写入文件“%1”：%2")
                  .arg(path("blocker/inside.txt"), velmora::SystemReasonText(ENOTDIR)));
    EXPECT_EQ(contents(path("blocker")), "x");

    desktop.messages.clear();
    window->Menu_SaveAs1Click(); // cancelled: nothing at all
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(StormFileCommands, OpeningReplacesTheStormAndRefreshes) {
    write(path("five.txt"), stormWithStep(5));
    open(path("five.txt"));
    EXPECT_EQ(desktop.fileDialogs.back().title, QStringLiteral("打开雨型"));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(session->storm().Storm_Step, 5);
    EXPECT_EQ(session->currentStormFile(), path("five.txt"));
    EXPECT_EQ(grid().gridModel().rowCount(), 25);

    // The dialog keeps the step typed last, and confirming it empties the current file.
    desktop.dialogScripts.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("EditStep"))->text(), "1");
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    });
    window->ButtonNewRainModelClick();
    EXPECT_EQ(session->storm().Storm_Step, 1);
    EXPECT_TRUE(session->currentStormFile().isEmpty());
}

TEST_F(StormFileCommands, AnotherStormStartsAtTheFirstRowOfItsTable) {
    write(path("two.txt"), stormWithStep(2));
    QScrollBar* scroll = grid().verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"opened", [&] { open(path("two.txt")); }},
        {"new storm", [&] {
             desktop.dialogScripts.push_back([](QDialog& dialog) {
                 dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
             });
             window->ButtonNewRainModelClick();
         }}};
    for (const auto& [name, newStorm] : ways) {
        scroll->setValue(scroll->maximum());
        newStorm();
        EXPECT_EQ(scroll->value(), 0) << name;
        EXPECT_EQ(grid().rowAt(0), 0) << name;
    }
}

TEST_F(StormFileCommands, BadFilesChangeNothing) {
    write(path("good.txt"), stormWithStep(5));
    open(path("good.txt"));
    const TExpressionObject before = session->storm();

    const auto expectUnchanged = [&](const char* what) {
        EXPECT_EQ(session->storm().Storm_Step, before.Storm_Step) << what;
        EXPECT_EQ(session->storm().a1, before.a1) << what;
        EXPECT_EQ(session->currentStormFile(), path("good.txt")) << what;
        EXPECT_EQ(grid().gridModel().rowCount(), 25) << what;
    };

    write(path("marker.txt"), "SIGN=someone else\r\na1=1\r\n");
    open(path("marker.txt"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Error);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("错误"));
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("该文件不包含正确的数据格式，请确认后重试~"));
    expectUnchanged("wrong marker");

    QByteArray letters = stormWithStep(7);
    letters.replace("c=0.846", "c=abc");
    write(path("letters.txt"), letters);
    open(path("letters.txt"));
    EXPECT_EQ(desktop.messages.back().text,
              QStringLiteral("'abc' is not a valid floating point value"));
    expectUnchanged("letters in a number");

    open(files.path()); // a folder cannot be read as a file
    EXPECT_EQ(desktop.messages.back().kind, ScriptedDesktop::Message::Error);
    expectUnchanged("unreadable");

    const auto messages = desktop.messages.size();
    open(path("missing.txt")); // gone since it was chosen: nothing happens
    window->Menu_Open1Click(); // cancelled
    EXPECT_EQ(desktop.messages.size(), messages);
    expectUnchanged("missing or cancelled");
}

TEST_F(StormFileCommands, HostileFilesGetAShortPlainMessageAndChangeNothing) {
    QByteArray tables;
    for (int i = 0; i < 3000; ++i)
        tables += "<table><tr><td>";
    QByteArray nested = stormWithStep(3);
    nested.replace("a1=9.5981", "a1=" + tables);
    write(path("nested.txt"), nested);
    QByteArray escapes = stormWithStep(3);
    escapes.replace("c=0.846", "c=\x1b]0;x\x07\x1b[2J");
    write(path("escapes.txt"), escapes);
    const bool hasPipe = velmora::testing::MakeFifo(path("pipe.txt"));
    ASSERT_EQ(hasPipe, velmora::testing::HasFifosAndLinks);
    write(path("huge.txt"), QByteArray(MaxStormFileBytes + 1, 'x'));

    const struct {
        const char* name;
        QString message;
    } cases[] = {
        {"nested.txt", QStringLiteral("'%1…' is not a valid floating point value")
                           .arg(QString::fromLatin1(tables.left(200)))},
        {"escapes.txt",
         QStringLiteral("'\uFFFD]0;x\uFFFD\uFFFD[2J' is not a valid floating point value")},
        {"pipe.txt", QStringLiteral("无法打开文件“%1”：这不是普通文件（可能是文件夹、管道或设备）")
                         .arg(path("pipe.txt"))},
        {"huge.txt", QStringLiteral("无法打开文件“%1”：文件超过了1048576字节，不是本程序的文件")
                         .arg(path("huge.txt"))},
    };
    for (const auto& c : cases) {
        if (!hasPipe && QLatin1String(c.name) == QLatin1String("pipe.txt"))
            continue;
        open(path(c.name));
        window->OpenStormFile(path(c.name)); // named on the command line or dropped
        ASSERT_EQ(desktop.messages.size(), 2u) << c.name;
        for (const auto& message : desktop.messages)
            EXPECT_EQ(message.text, c.message) << c.name;
        desktop.messages.clear();
        EXPECT_EQ(session->storm().Storm_Step, 1) << c.name;
        EXPECT_TRUE(session->currentStormFile().isEmpty()) << c.name;
    }
}

TEST_F(StormFileCommands, ASavedStormOpensAsTheSameStorm) {
    desktop.dialogScripts.push_back([](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cbbStormType"))->setCurrentIndex(1);
        dialog.findChild<QComboBox*>(QStringLiteral("ComboBox_LgLn"))->setCurrentIndex(1);
        const std::vector<std::pair<const char*, const char*>> texts = {
            {"Edit_a1", "1.23456789012345E3"}, {"Edit_c", "-0.00005"},    {"Edit_b", "1e20"},
            {"Edit_n", "0.123456789012345"},   {"EditRepeatYear", "100"}, {"EditStormTime", "1500"},
            {"EditStormPercent", "0.35"},      {"EditStep", "7"}};
        for (const auto& [name, text] : texts)
            dialog.findChild<QLineEdit*>(QString::fromLatin1(name))
                ->setText(QString::fromLatin1(text));
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    });
    window->ButtonNewRainModelClick();
    const TExpressionObject saved = session->storm();
    saveAs(path("unusual"));

    session->newStorm(DefaultStorm());
    open(path("unusual.txt"));
    const TExpressionObject& opened = session->storm();
    EXPECT_EQ(opened.F_type, 1);
    EXPECT_EQ(opened.a1_167, saved.a1_167);
    // The derived coefficient has more digits than the file keeps (15).
    EXPECT_EQ(GeneralNumberText(opened.a1, QLatin1Char('.')),
              GeneralNumberText(saved.a1, QLatin1Char('.')));
    EXPECT_EQ(opened.c, -0.00005);
    EXPECT_EQ(opened.b, 1e20);
    EXPECT_EQ(opened.n, saved.n);
    EXPECT_EQ(opened.LG_LN, 1);
    EXPECT_EQ(opened.Storm_Time, 1500.0);
    EXPECT_EQ(opened.Storm_Percent, 0.35);
    EXPECT_EQ(opened.Storm_Step, 7);
}

TEST_F(StormFileCommands, AStormFileDroppedOnTheWindowIsOpened) {
    TExpressionObject day = DefaultStorm();
    day.Storm_Time = 1440;
    write(path("day.txt"), StormFileBytes(day, QLatin1Char('.')).value());
    write(path("bad.txt"), "not a storm");
    const auto drop = [this](const QString& file) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &dropped);
    };
    drop(path("day.txt"));
    EXPECT_EQ(grid().gridModel().rowCount(), 1441);
    EXPECT_EQ(session->currentStormFile(), path("day.txt"));
    drop(path("bad.txt"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, WrongStormFileMessage);
    EXPECT_EQ(session->currentStormFile(), path("day.txt"));
}
