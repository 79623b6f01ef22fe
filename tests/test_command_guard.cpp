#include "command_guard.h"
#include "scripted_desktop.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace velmora;
using velmora::testing::ScriptedDesktop;

TEST(CommandGuard, AFailureIsShownWithItsOwnTextAndTheProgramGoesOn) {
    ScriptedDesktop desktop;
    bool after = false;
    RunCommand(desktop, [] { return Status(Failure{QStringLiteral("无法打开文件“/x/a.txt”：权限不够")}); });
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

TEST(FileTypeFilter, NameAndMasksAsQtListsThem) {
    EXPECT_EQ(FileTypeFilter({QStringLiteral("Excel文件(*.csv)"), QStringLiteral("*.csv")}),
              QStringLiteral("Excel文件(*.csv) (*.csv)"));
    EXPECT_EQ(FileTypeFilter({QStringLiteral("图片"), QStringLiteral("*.bmp;*.png")}),
              QStringLiteral("图片 (*.bmp *.png)"));
}
