#include "command_guard.h"
#include "platform_text_editor.h"
#include "qstring_printer.h"
#include "scripted_desktop.h"

#include <QUrl>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace velmora;
using velmora::testing::ScriptedDesktop;

TEST(CommandGuard, AFailureIsShownWithItsOwnTextAndTheProgramGoesOn) {
    ScriptedDesktop desktop;
    bool after = false;
    RunCommand(desktop,
               [] { return Status(Failure{QStringLiteral("无法打开文件“/x/a.txt”：权限不够")}); });
    RunCommand(desktop, []() -> Status { throw std::runtime_error("disk full"); });
    RunCommand(desktop, []() -> Status { throw std::bad_alloc(); });
    RunCommand(desktop, []() -> Status { throw 42; });
    RunCommand(desktop, [&] {
        after = true;
        return Status();
    });

    ASSERT_EQ(desktop.messages.size(), 4u);
    for (const auto& message : desktop.messages) {
        EXPECT_EQ(message.kind, ScriptedDesktop::Message::Error);
        EXPECT_EQ(message.title, QStringLiteral("错误"));
        EXPECT_FALSE(message.text.isEmpty());
    }
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("无法打开文件“/x/a.txt”：权限不够"));
    EXPECT_EQ(desktop.messages[1].text, QStringLiteral("disk full"));
    EXPECT_EQ(desktop.messages[2].text, QStringLiteral("内存不足，操作没有完成"));
    EXPECT_EQ(desktop.messages[3].text, QStringLiteral("出错：未知的错误，操作没有完成"));
    EXPECT_TRUE(after);
}

TEST(CommandGuard, ACommandThatSucceedsShowsNothing) {
    ScriptedDesktop desktop;
    int runs = 0;
    RunCommand(desktop, [&] {
        ++runs;
        return Status();
    });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(FileTypeFilter, ANameShowingItsMasksIsShownOnceOthersGetTheirMasks) {
    const struct {
        const char* name;
        const char* mask;
        const char* filter;
    } cases[] = {
        {"Excel文件(*.csv)", "*.csv", "Excel文件(*.csv)"},
        {"所有文件(*.*)", "*.*", "所有文件(*.*)"},
        {"位图文件", "*.bmp", "位图文件 (*.bmp)"},
        {"图片", "*.bmp;*.png", "图片 (*.bmp *.png)"},
        {"图片(*.bmp *.png)", "*.bmp;*.png", "图片(*.bmp *.png)"},
        {"Excel文件(*.csv)", "*.xlsx",
         "Excel文件(*.csv) (*.xlsx)"}, // a name that shows other masks
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileTypeFilter({QString::fromUtf8(c.name), QString::fromUtf8(c.mask)}),
                  QString::fromUtf8(c.filter))
            << c.name;
}

TEST(PlainTextEditorCommand, TerminalEditorsRunInATerminalOrNotAtAll) {
    const QString file = QStringLiteral("/home/u/雨型.dat");
    const QString terminal = QStringLiteral("/usr/bin/x-terminal-emulator");
    const struct {
        const char* exec;
        bool inTerminal;
        QString emulator;
        QStringList command;
    } cases[] = {
        {"gedit %U", false, terminal, {"gedit", QUrl::fromLocalFile(file).toString()}},
        {"mousepad %F --line 1", false, terminal, {"mousepad", file, "--line", "1"}},
        {"kate", false, terminal, {"kate", file}},
        {"vim %F", true, terminal, {terminal, "-e", "vim", file}},
        {"nano %F", true, QString(), {}}, // no terminal: the file's own application instead
        {"", false, terminal, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlainTextEditorCommand(QString::fromUtf8(c.exec), c.inTerminal, file, c.emulator),
                  c.command)
            << c.exec;
}
