#include "cli_arguments.h"
#include "cli_run.h"
#include "file_size_limit.h"
#include "loopback_http_server.h"
#include "maker.h"
#include "posix_files.h"
#include "qstring_printer.h"
#include "storm_session.h"
#include "system_reason.h"
#include "test_files.h"
#include "text_encoding.h"
#include "zip_archive.h"
#include "zip_entry_bytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

using namespace velmora::cli;

namespace {

using velmora::testing::Contents;
using velmora::testing::WriteBytes;

struct CliRun {
    int exitCode;
    QByteArray out;
    QByteArray err;
    QList<QByteArray> lines() const {
        QList<QByteArray> result = out.split('\n');
        result.removeLast(); // after the last line end
        return result;
    }
};

class Cli : public ::testing::Test {
protected:
    static CliRun Run(const QStringList& arguments) {
        CliRun run{0, {}, {}};
        run.exitCode = RunCli(arguments, run.out, run.err);
        return run;
    }
};

} // namespace

TEST_F(Cli, WithoutArgumentsPrintsTheDefaultStormAsCsv) {
    const CliRun run = Run({});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    const auto lines = run.lines();
    ASSERT_EQ(lines.size(), 122);
    for (const QByteArray& line : lines)
        ASSERT_TRUE(line.endsWith('\r'));
    EXPECT_EQ(lines[0], QStringLiteral("时间(min),降雨强度(mm/min),降雨总量(mm)\r").toUtf8());
    EXPECT_EQ(lines[1], "00,0.1908,0.1908\r");
    EXPECT_EQ(lines[49], "48,3.3599,25.9954\r");
    EXPECT_EQ(lines[121], "120,0.1908,60.6345\r");
}

TEST_F(Cli, TotalsFollowTheTable) {
    const CliRun run =
        Run({QStringLiteral("--totals"), QStringLiteral("--unit"), QStringLiteral("mm/h"),
             QStringLiteral("--decimals=2"), QStringLiteral("--time"), QStringLiteral("hm")});
    ASSERT_EQ(run.exitCode, 0);
    const auto lines = run.lines();
    ASSERT_EQ(lines.size(), 124);
    EXPECT_EQ(lines[0], QStringLiteral("时间(H:M),降雨强度(mm/h),降雨总量(mm)\r").toUtf8());
    EXPECT_EQ(lines[49], "00:48,201.60,26.00\r");
    EXPECT_EQ(lines[122], QStringLiteral("降雨总量H=60.63mm\r").toUtf8());
    EXPECT_EQ(lines[123], QStringLiteral("平均雨强i=30.07mm/h\r").toUtf8());
}

TEST_F(Cli, TheFlowFormGivesTheSameStormThroughTheFactor) {
    const CliRun intensity = Run({QStringLiteral("--totals")});
    EXPECT_EQ(Run({QStringLiteral("--flow"), QStringLiteral("--a1"), QStringLiteral("1602.8827"),
                   QStringLiteral("--totals")})
                  .out,
              intensity.out);
    EXPECT_EQ(Run({QStringLiteral("--flow"), QStringLiteral("--totals")}).out, intensity.out);
    EXPECT_NE(Run({QStringLiteral("--flow"), QStringLiteral("--a1"), QStringLiteral("1602.8827"),
                   QStringLiteral("--qi-ratio"), QStringLiteral("0.006")})
                  .out.split('\n')[49],
              intensity.out.split('\n')[49]);
}

TEST_F(Cli, StormParametersChangeTheTable) {
    const CliRun run = Run({QStringLiteral("--a1"), QStringLiteral("9.5981"), QStringLiteral("--c"),
                            QStringLiteral("0.846"), QStringLiteral("--b"), QStringLiteral("7"),
                            QStringLiteral("--n"), QStringLiteral("0.656"), QStringLiteral("--P"),
                            QStringLiteral("2"), QStringLiteral("--T"), QStringLiteral("1500"),
                            QStringLiteral("--r"), QStringLiteral("0.4"), QStringLiteral("--step"),
                            QStringLiteral("60"), QStringLiteral("--time"), QStringLiteral("hm")});
    ASSERT_EQ(run.exitCode, 0);
    const auto lines = run.lines();
    ASSERT_EQ(lines.size(), 27);
    EXPECT_TRUE(lines[25].startsWith("24:00,"));
    EXPECT_TRUE(lines[26].startsWith("25:00,"));

    const auto natural = Run({QStringLiteral("--ln"), QStringLiteral("--calc-by-show")});
    EXPECT_EQ(natural.exitCode, 0);
    EXPECT_NE(natural.out, Run({}).out);
}

TEST_F(Cli, OptionsComeFromTheGivenFileThenFromTheFlags) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("options.ini"));
    ASSERT_TRUE(WriteBytes(path, "[OPTIONS]\nStormUnit=0\nPrecision=2\nTimeFormat=0\n"));

    auto lines = Run({QStringLiteral("--options"), path}).lines();
    EXPECT_EQ(lines[49], "00:48,201.60,26.00\r");
    lines =
        Run({QStringLiteral("--decimals"), QStringLiteral("3"), QStringLiteral("--options"), path})
            .lines();
    EXPECT_EQ(lines[49], "00:48,201.596,25.995\r");
}

TEST_F(Cli, AStormThatWouldRainNegativeFailsWithItsCause) {
    const struct {
        const char* arguments;
        const char* err;
    } cases[] = {
        {"--P 0.01", "出错：1+C·lgP=-0.692，不大于0（C=0.846，P=0.01年），降雨强度将是负数或0："
                     "请检查参数C和重现期P\n"},
        {"--c -2 --P 100 --ln",
         "出错：1+C·lnP=-8.21034037197618，不大于0（C=-2，P=100年），降雨强度将是负数或0："
         "请检查参数C和重现期P\n"},
        {"--a1 -1", "出错：参数A1=-1是负数，降雨强度将是负数：请检查参数A1\n"},
        {"--n 1.5", "出错：第0分钟的降雨强度是负数：参数n=1.5大于1，离雨峰较远处(1-n)·t+b小于0。"
                    "请检查暴雨强度公式的参数\n"},
        {"--b -1 --n 1",
         "出错：第0分钟的降雨强度是负数：参数b=-1是负数。请检查暴雨强度公式的参数\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(QString::fromUtf8(c.arguments).split(QLatin1Char(' ')));
        EXPECT_EQ(run.exitCode, 1) << c.arguments;
        EXPECT_TRUE(run.out.isEmpty()) << c.arguments;
        EXPECT_EQ(QString::fromUtf8(run.err), QString::fromUtf8(c.err)) << c.arguments;
    }
}

TEST_F(Cli, BadArgumentsExitWithTwoAndTheUsage) {
    // Each refusal names what is wrong, then the usage.
    const struct {
        const char* arguments;
        const char* message;
    } refused[] = {
        {"--P abc", "--P 需要一个数字，而不是“abc”"},
        {"--unknown", "不认识的参数“--unknown”"},
        {"--a1", "--a1 需要一个值"},
        {"--decimals 100", "--decimals 需要0到99之间的整数，而不是“100”"},
        {"--unit mm/s", "--unit 只能是 mm/h|mm/min，而不是“mm/s”"},
        {"--time h", "--time 只能是 hm|min，而不是“h”"},
        {"--step 1.5", "--step 需要-2147483648到2147483647之间的整数，而不是“1.5”"},
        {"--qi-ratio 0", "--qi-ratio 需要大于0的系数，而不是“0”"},
        {"--ln=1", "--ln 不带值"},
        {"--options /nonexistent/options.ini", "无法读取文件“/nonexistent/options.ini”"},
        {"--P 1,x", "--P 需要用“,”分隔的数字，而不是“1,x”"},
        {"--P 2,2.0", "--P 中的 2 重复了"},
        // The new-storm dialog's rules, whatever the storm's source.
        {"--r 1.5", "--r 1.5：峰值比例只能取值(0~1)之间，不包括0和1"},
        {"--compare --r 0.4,-0.5", "--r -0.5：峰值比例只能取值(0~1)之间，不包括0和1"},
        {"--step -5", "--step -5：计算步长=-5分钟是负数，只能取正整数"},
        {"--step 0", "--step 0：计算步长为0，无法按步长取出数据"},
        {"--T 60,-1", "--T -1：降雨历时T=-1分钟小于0，没有可计算的数据"},
        {"--P 1,0", "--P 0：重现期P=0年，无法取对数（P必须大于0）"},
        {"--T 60,", "--T 需要用“,”分隔的数字，而不是“60,”"},
        {"--P 1,2 --out t.csv", "--out 只能指定一个文件：多个雨型请用 --out-dir 文件夹"},
        {"--P 1,2 --totals", "--totals 只用于一个雨型的表格：多个雨型只输出汇总"},
        {"--P 1,2 --write-storm s.txt",
         "--write-storm 只能指定一个文件：多个雨型请用 --format storm --out-dir 文件夹"},
        {"--T 60,120 --format swmm", "多个雨型的 --format 需要 --out-dir 文件夹"},
        {"--out-dir /nonexistent", "“/nonexistent”不是文件夹"},
        {"--force", "--force 只用于 --out-dir 或 --into-swmm"},
        {"--format storm", "--format storm 需要 --out 文件（或用 --write-storm 文件）"},
    };
    for (const auto& c : refused) {
        const CliRun run = Run(QString::fromUtf8(c.arguments).split(QLatin1Char(' ')));
        EXPECT_EQ(run.exitCode, 2) << c.arguments;
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(QString::fromUtf8(run.err).startsWith(
            QStringLiteral("velmora-cli: %1\nusage: velmora-cli")
                .arg(QString::fromUtf8(c.message))))
            << run.err.toStdString();
    }
    const CliRun help = Run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("usage: velmora-cli"));
}

// The manual page is written by hand: every flag the help names must be in it.
TEST(CliManualPage, NamesEveryFlagOfTheHelp) {
    QFile page(QStringLiteral(VELMORA_CLI_MANUAL_PAGE));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    const QRegularExpression flagPattern(QStringLiteral("--[a-z0-9][a-z0-9-]*"));
    QStringList missing;
    for (const auto& match : flagPattern.globalMatch(velmora::cli::CliHelpText())) {
        QString escaped = match.captured();
        escaped.replace(QLatin1Char('-'), QStringLiteral("\\-"));
        if (!text.contains(escaped) && !missing.contains(match.captured()))
            missing << match.captured();
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(text.startsWith(
        QStringLiteral(".TH VELMORA-CLI 1 \"%1\" \"Velmora %2\"")
            .arg(QStringLiteral(VELMORA_RELEASE_DATE), QStringLiteral(VELMORA_VERSION))));
}

TEST_F(Cli, VersionAndUpdateCheck) {
    const CliRun version = Run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Velmora " VELMORA_VERSION "\n");

    velmora::testing::LoopbackHttpServer server;
    ASSERT_TRUE(server.listening());
    const struct {
        QByteArray answer;
        int exitCode;
        QString printed;
    } cases[] = {
        {velmora::testing::LoopbackHttpServer::Answer(
             200, "OK",
             QStringLiteral("2.2\r\nhttp://www.example.com/v2.2\r\n表格更快\r\n@@@@@@").toUtf8()),
         0,
         QStringLiteral(
             "新版本：Ver2.2 已经发布~\n更新内容:\n表格更快\n\nhttp://www.example.com/v2.2\n")},
        {velmora::testing::LoopbackHttpServer::Answer(200, "OK",
                                                      "2.11\nhttp://www.example.com/\n@@@@@@"),
         0, QStringLiteral("已经是最新版本了\n")},
        {velmora::testing::LoopbackHttpServer::Answer(500, "Internal Server Error", ""), 1,
         QStringLiteral("出错：HTTP 500 Internal Server Error\n")},
        // Terminal escapes from the server never reach the terminal.
        {velmora::testing::LoopbackHttpServer::Answer(
             200, "OK",
             QByteArray("2.2\r\nhttp://www.example.com/\r\n\x1b]0;x\x07\x1b[2J\x08\x00!\r\n@@@@@@",
                        51)),
         0,
         QStringLiteral("新版本：Ver2.2 "
                        "已经发布~\n更新内容:\n\uFFFD]0;x\uFFFD\uFFFD[2J\uFFFD\uFFFD!\n\nhttp://"
                        "www.example.com/\n")},
    };
    for (const auto& c : cases) {
        server.respond = [&c](const auto&) { return c.answer; };
        const CliRun run = Run({QStringLiteral("--check-update"), QStringLiteral("--update-server"),
                                server.base().toString()});
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(QString::fromUtf8(run.out), c.printed);
        EXPECT_TRUE(run.err.isEmpty());
    }
    EXPECT_EQ(server.requests.size(), 4u);

    for (const QStringList& refused :
         {QStringList{QStringLiteral("--update-server"), server.base().toString()},
          QStringList{QStringLiteral("--check-update"), QStringLiteral("--update-server"),
                      QStringLiteral("ftp://x/")},
          QStringList{QStringLiteral("--check-update"), QStringLiteral("--update-server"),
                      QStringLiteral("127.0.0.1")}}) {
        const CliRun run = Run(refused);
        EXPECT_EQ(run.exitCode, 2) << refused.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST_F(Cli, TheProgramWritesWhatItComputes) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VELMORA_CLI_PATH), {QStringLiteral("--totals")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), Run({QStringLiteral("--totals")}).out);

    process.start(QStringLiteral(VELMORA_CLI_PATH), {QStringLiteral("--n"), QStringLiteral("1.5")});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(
        QString::fromUtf8(process.readAllStandardError()).startsWith(QStringLiteral("出错：")));
}

TEST_F(Cli, StormFilesAreWrittenAndReadWithTheProgramsOwnReaderAndWriter) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("storm.txt"));
    const QStringList storm = {QStringLiteral("--T"), QStringLiteral("1440"),
                               QStringLiteral("--step"), QStringLiteral("5"),
                               QStringLiteral("--ln")};
    const CliRun write = Run(storm + QStringList{QStringLiteral("--write-storm"), path});
    ASSERT_EQ(write.exitCode, 0) << write.err.toStdString();
    EXPECT_TRUE(write.out.isEmpty());
    const QByteArray written = Contents(path);
    EXPECT_TRUE(written.contains("LG_LN=1\r\n"));
    const QString asFormat = folder.filePath(QStringLiteral("format.txt"));
    EXPECT_EQ(Run(storm + QStringList{QStringLiteral("--format"), QStringLiteral("storm"),
                                      QStringLiteral("--out"), asFormat})
                  .exitCode,
              0);
    QFile formatFile(asFormat);
    ASSERT_TRUE(formatFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(formatFile.readAll(), written);

    const CliRun fromFile = Run({QStringLiteral("--storm"), path, QStringLiteral("--totals")});
    EXPECT_EQ(fromFile.exitCode, 0);
    EXPECT_EQ(fromFile.out, Run(storm + QStringList{QStringLiteral("--totals")}).out);
    // Flags still change the storm read from the file.
    EXPECT_EQ(Run({QStringLiteral("--storm"), path, QStringLiteral("--step"), QStringLiteral("1")})
                  .lines()
                  .size(),
              1442);

    const QString bad = folder.filePath(QStringLiteral("bad.txt"));
    ASSERT_TRUE(WriteBytes(bad, "SIGN=nothing\r\n"));
    const CliRun wrong = Run({QStringLiteral("--storm"), bad});
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(wrong.err),
              QStringLiteral("该文件不包含正确的数据格式，请确认后重试~\n"));

    EXPECT_EQ(
        Run({QStringLiteral("--storm"), folder.filePath(QStringLiteral("none.txt"))}).exitCode, 2);
    const CliRun blocked =
        Run({QStringLiteral("--write-storm"), path + QStringLiteral("/inside.txt")});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(blocked.err), QStringLiteral("无法写入文件“%1/inside.txt”：%2\n")
                                                  .arg(path, velmora::SystemReasonText(ENOTDIR)));
}

TEST_F(Cli, FormatsWriteTheBytesOfTheExports) {
    QTemporaryDir folder;
    const QString csv = folder.filePath(QStringLiteral("t.csv"));
    const QString dat = folder.filePath(QStringLiteral("t.dat"));
    EXPECT_EQ(Run({QStringLiteral("--out"), csv}).exitCode, 0);
    EXPECT_EQ(
        Run({QStringLiteral("--format"), QStringLiteral("swmm"), QStringLiteral("--out"), dat})
            .exitCode,
        0);
    EXPECT_EQ(Contents(csv), Contents(QStringLiteral(VELMORA_TEST_DATA "/default_storm.csv")));
    EXPECT_EQ(Contents(dat), Contents(QStringLiteral(VELMORA_TEST_DATA "/default_storm.dat")));

    // A day and more: the hours go on past 24, so the times only go forward.
    const auto lines = Run({QStringLiteral("--format"), QStringLiteral("swmm"),
                            QStringLiteral("--T"), QStringLiteral("1500")})
                           .lines();
    ASSERT_EQ(lines.size(), 1503);
    EXPECT_EQ(lines[2 + 1440], "24:00           " + lines[2 + 1440].mid(16));
    EXPECT_TRUE(lines[2 + 1441].startsWith("24:01 "));
    EXPECT_TRUE(lines[1502].startsWith("25:00 "));
    EXPECT_EQ(Run({QStringLiteral("--format"), QStringLiteral("xls")}).exitCode, 2);
}

TEST_F(Cli, FailedWritesKeepTheOldFileAndSayWhy) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("storm.txt"));
    ASSERT_TRUE(WriteBytes(path, "the user's storm"));

    CliRun full{};
    {
        const velmora::testing::FileSizeLimit fullDisk(10);
        full = Run({QStringLiteral("--write-storm"), path});
    }
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(full.err),
              QStringLiteral("无法写入文件“%1”：%2\n").arg(path, velmora::SystemReasonText(EFBIG)));

    // Values whose text would not read back are refused before anything is written.
    const CliRun infinite = Run({QStringLiteral("--qi-ratio"), QStringLiteral("1e308"),
                                 QStringLiteral("--write-storm"), path});
    EXPECT_EQ(infinite.exitCode, 2);
    EXPECT_EQ(QString::fromUtf8(infinite.err),
              QStringLiteral("velmora-cli: a1_167=INF 超出了雨型文件可以保存的数值范围\n"));
    EXPECT_EQ(Run({QStringLiteral("--a1"), QStringLiteral("1.7976931348623157e308"),
                   QStringLiteral("--write-storm"), path})
                  .exitCode,
              2);
    EXPECT_EQ(Contents(path), "the user's storm");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("storm.txt")});
}

TEST_F(Cli, SwmmTotalsAreCommentLines) {
    const auto lines =
        Run({QStringLiteral("--format"), QStringLiteral("swmm"), QStringLiteral("--totals")})
            .lines();
    ASSERT_EQ(lines.size(), 125);
    EXPECT_TRUE(lines[123].startsWith(";;")) << lines[123].toStdString();
    EXPECT_TRUE(lines[124].startsWith(";;")) << lines[124].toStdString();
    EXPECT_FALSE(Run({QStringLiteral("--totals")}).lines().last().startsWith(";;"));
}

TEST_F(Cli, StandardOutputThatCannotBeWrittenSaysWhy) {
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(VELMORA_CLI_PATH), QStringList{});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              QStringLiteral("velmora-cli: 无法写入标准输出：%1\n")
                  .arg(velmora::SystemReasonText(ENOSPC)));

    // A special file named as the target is written into: here the pipe behind standard output.
    QProcess piped;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    piped.setProcessEnvironment(environment);
    piped.start(QStringLiteral(VELMORA_CLI_PATH),
                {QStringLiteral("--out"), QStringLiteral("/dev/stdout")});
    ASSERT_TRUE(piped.waitForFinished(30000));
    EXPECT_EQ(piped.exitCode(), 0) << piped.readAllStandardError().toStdString();
    EXPECT_EQ(piped.readAllStandardOutput(),
              Contents(QStringLiteral(VELMORA_TEST_DATA "/default_storm.csv")));
}

TEST_F(Cli, AClosedStandardOutputIsSaidAndTakesNoFile) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS(); // POSIX: a shell that closes it
    QTemporaryDir folder;
    const QString written = folder.filePath(QStringLiteral("t.csv"));
    const struct {
        QStringList arguments;
        int exitCode;
        QString err;
    } cases[] = {
        {{}, 1, QStringLiteral("velmora-cli: 无法写入标准输出：标准输出已关闭\n")},
        // The file opened first does not take standard output's place.
        {{QStringLiteral("--out"), written}, 0, QString()},
    };
    for (const auto& c : cases) {
        QProcess process;
        process.start(QStringLiteral("sh"),
                      QStringList{QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$@\" >&-"),
                                  QStringLiteral(VELMORA_CLI_PATH)} +
                          c.arguments);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), c.exitCode);
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), c.err);
    }
    EXPECT_EQ(Contents(written), Contents(QStringLiteral(VELMORA_TEST_DATA "/default_storm.csv")));
}

TEST_F(Cli, TermEndsAnyRunOutsideABatchAtOnce) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS();
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("pipe"));
    ASSERT_TRUE(velmora::testing::MakeFifo(pipe));
    QTcpServer silent; // takes the connection and never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const QStringList runs[] = {
        {QStringLiteral("--out"), pipe},
        {QStringLiteral("--write-storm"), pipe},
        {QStringLiteral("--check-update"), QStringLiteral("--update-server"),
         QStringLiteral("http://127.0.0.1:%1").arg(silent.serverPort())},
    };
    for (const QStringList& arguments : runs) {
        QProcess process;
        process.start(QStringLiteral(VELMORA_CLI_PATH), arguments);
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(500);
        process.terminate();
        EXPECT_TRUE(process.waitForFinished(2000)) << arguments.join(' ').toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
        process.kill();
        process.waitForFinished();
    }
}

TEST_F(Cli, ArgumentsThatAreNotTextInTheSystemsEncodingAreRefused) {
    char program[] = "velmora-cli", out[] = "--out", name[] = "bad\xff.csv";
    char* argv[] = {program, out, name};
    EXPECT_EQ(
        DecodeArguments(3, argv).message(),
        QStringLiteral("参数“bad\uFFFD.csv”中有不属于系统字符编码的字节，无法准确使用这个名字："
                       "请先把文件改名（例如改为UTF-8编码的名字）"));
    char good[] = "好.csv";
    argv[2] = good;
    EXPECT_EQ(DecodeArguments(3, argv).value(),
              (QStringList{QStringLiteral("--out"), QStringLiteral("好.csv")}));
}

TEST_F(Cli, AnOptionsFileThatCannotBeReadIsNoSilentDefault) {
    QTemporaryDir folder;
    const QString big = folder.filePath(QStringLiteral("big.ini"));
    ASSERT_TRUE(WriteBytes(big, "[OPTIONS]\nPrecision=2\n" + QByteArray(1 << 20, ';')));
    const CliRun run = Run({QStringLiteral("--options"), big});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(QString::fromUtf8(run.err),
              QStringLiteral(
                  "velmora-cli: 出错：无法打开文件“%1”：文件超过了1048576字节，不是本程序的文件\n")
                      .arg(big) +
                  CliUsageLine() + '\n');
}

TEST_F(Cli, TheWordTableIsTheSessionsDocument) {
    QTemporaryDir folder;
    const QString docx = folder.filePath(QStringLiteral("t.docx"));
    const CliRun run =
        Run({QStringLiteral("--format"), QStringLiteral("docx"), QStringLiteral("--out"), docx});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    velmora::StormSession session;
    ASSERT_TRUE(session.recompute());
    EXPECT_EQ(velmora::ReadZipArchive(Contents(docx)).value(),
              velmora::ReadZipArchive(session.exportBytes(velmora::ExportFormat::WordTable).value())
                  .value());
    EXPECT_EQ(Run({QStringLiteral("--format"), QStringLiteral("docx")}).exitCode,
              2); // not to the terminal
}

TEST_F(Cli, TheReportIsDrawnOffscreenByTheProgram) {
    QTemporaryDir folder;
    const QString docx = folder.filePath(QStringLiteral("report.docx"));
    QProcess process;
    process.start(
        QStringLiteral(VELMORA_CLI_PATH),
        {QStringLiteral("--format"), QStringLiteral("report"), QStringLiteral("--out"), docx});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardError(), QByteArray());
    const auto entries = velmora::ReadZipArchive(Contents(docx));
    ASSERT_TRUE(entries);
    const QImage picture = QImage::fromData(
        velmora::testing::EntryBytes(*entries, QStringLiteral("word/media/image9.png")), "PNG");
    EXPECT_EQ(picture.size(), QSize(1106, 800)); // 553 × 400 with twice the pixels
}

TEST_F(Cli, IntervalAverageFromTheCommandLine) {
    const auto lines = Run({QStringLiteral("--interval-average"), QStringLiteral("--step"),
                            QStringLiteral("5"), QStringLiteral("--totals")})
                           .lines();
    EXPECT_EQ(lines.last(),
              QStringLiteral("平均雨强i=0.4851mm/min\r").toUtf8()); // H over 25 rows of 5 minutes
}

TEST_F(Cli, ABatchWritesOneFilePerStormAndASummaryLineEach) {
    QTemporaryDir folder;
    const QStringList years = {"1", "2", "3", "5", "10", "20", "50", "100"};
    const QStringList durations = {"60", "120"};
    const CliRun batch = Run({QStringLiteral("--P"), years.join(','), QStringLiteral("--T"),
                              durations.join(','), QStringLiteral("--out-dir"), folder.path()});
    ASSERT_EQ(batch.exitCode, 0) << batch.err.toStdString();
    EXPECT_TRUE(batch.err.isEmpty());
    const auto lines = batch.lines();
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(
        lines[0],
        QStringLiteral(
            "P(年),T(min),r,步长(min),H(mm),平均雨强(mm/min),峰值雨强(mm/min),峰值时间(min)\r")
            .toUtf8());
    EXPECT_EQ(lines[4], "2,120,0.4,1,60.6345,0.5011,3.3599,48\r");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 16);

    QTemporaryDir single;
    int line = 1;
    for (const QString& p : years) {
        for (const QString& t : durations) {
            SCOPED_TRACE(QStringLiteral("P=%1 T=%2").arg(p, t).toStdString());
            const QString one = single.filePath(QStringLiteral("one.csv"));
            const QStringList storm = {QStringLiteral("--P"), p, QStringLiteral("--T"), t};
            ASSERT_EQ(Run(storm + QStringList{QStringLiteral("--out"), one}).exitCode, 0);
            const QString name =
                QStringLiteral("芝加哥雨型计算数据P=%1年 t=%2分 r=0.4.csv").arg(p, t);
            EXPECT_EQ(Contents(folder.filePath(name)), Contents(one));

            const QList<QByteArray> summary = lines[line++].chopped(1).split(',');
            ASSERT_EQ(summary.size(), 8);
            EXPECT_EQ(summary[0], p.toUtf8());
            EXPECT_EQ(summary[1], t.toUtf8());
            const auto totals = Run(storm + QStringList{QStringLiteral("--totals")}).lines();
            EXPECT_EQ(totals[totals.size() - 2],
                      QStringLiteral("降雨总量H=%1mm\r").arg(summary[4]).toUtf8());
            EXPECT_EQ(totals.last(),
                      QStringLiteral("平均雨强i=%1mm/min\r").arg(summary[5]).toUtf8());
        }
    }
    // Without a folder only the summary is printed.
    EXPECT_EQ(
        Run({QStringLiteral("--P"), years.join(','), QStringLiteral("--T"), durations.join(',')})
            .out,
        batch.out);
}

TEST_F(Cli, AFailedStormInABatchDoesNotStopTheOthers) {
    QTemporaryDir folder;
    // With n = 1.5 only the longest storm reaches far enough from its peak
    // for its intensity to turn negative.
    const CliRun run = Run({QStringLiteral("--n"), QStringLiteral("1.5"), QStringLiteral("--T"),
                            QStringLiteral("1,120,5"), QStringLiteral("--format"),
                            QStringLiteral("swmm"), QStringLiteral("--out-dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(run.err),
              QStringLiteral("出错：P=2年 T=120分：第0分钟的降雨强度是负数：参数n=1.5大于1，"
                             "离雨峰较远处(1-n)·t+b小于0。请检查暴雨强度公式的参数\n"));
    const auto lines = run.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(
        QStringLiteral("平均雨强(mm/h),峰值雨强(mm/h),峰值时间(H:M)\r").toUtf8()));
    EXPECT_TRUE(lines[1].startsWith("2,1,")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("2,5,")) << lines[2].toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("芝加哥雨型计算数据P=2年 t=1分 r=0.4.dat"),
                           QStringLiteral("芝加哥雨型计算数据P=2年 t=5分 r=0.4.dat")}));
}

TEST_F(Cli, ABatchReplacesNoFileWithoutForce) {
    QTemporaryDir folder;
    const QString mine = folder.filePath(QStringLiteral("芝加哥雨型P=5年 t=120分 r=0.4.txt"));
    ASSERT_TRUE(WriteBytes(mine, "mine"));
    const QStringList batch = {QStringLiteral("--P"),       QStringLiteral("2,5,10"),
                               QStringLiteral("--format"),  QStringLiteral("storm"),
                               QStringLiteral("--out-dir"), folder.path()};

    const CliRun kept = Run(batch);
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_EQ(QString::fromUtf8(kept.err),
              QStringLiteral("出错：P=5年 T=120分：文件“%1”已存在，没有覆盖（覆盖请加 --force）\n")
                  .arg(mine));
    EXPECT_EQ(Contents(mine), "mine");
    EXPECT_EQ(kept.lines().size(), 3); // the header, P = 2 and P = 10
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 3);

    const CliRun forced = Run(batch + QStringList{QStringLiteral("--force")});
    EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
    EXPECT_EQ(forced.lines().size(), 4);
    const QString written = folder.filePath(QStringLiteral("written.txt"));
    ASSERT_EQ(
        Run({QStringLiteral("--P"), QStringLiteral("5"), QStringLiteral("--write-storm"), written})
            .exitCode,
        0);
    EXPECT_EQ(Contents(mine), Contents(written));
}

TEST_F(Cli, TheProgramDrawsEveryReportOfABatch) {
    QTemporaryDir folder;
    QProcess process;
    process.start(QStringLiteral(VELMORA_CLI_PATH),
                  {QStringLiteral("--P"), QStringLiteral("2,5"), QStringLiteral("--format"),
                   QStringLiteral("report"), QStringLiteral("--out-dir"), folder.path()});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QList<QByteArray> pictures;
    for (const QString& p : {QStringLiteral("2"), QStringLiteral("5")}) {
        const auto entries = velmora::ReadZipArchive(Contents(
            folder.filePath(QStringLiteral("雨型计算书 P=%1年 T=120分 R=0.4.docx").arg(p))));
        ASSERT_TRUE(entries);
        for (const velmora::ZipEntry& entry : *entries)
            if (entry.name == QStringLiteral("word/media/image9.png"))
                pictures << entry.bytes;
    }
    ASSERT_EQ(pictures.size(), 2);
    EXPECT_NE(pictures[0], pictures[1]); // each storm's own chart
    EXPECT_EQ(QImage::fromData(pictures[1], "PNG").size(), QSize(1106, 800));
}

TEST_F(Cli, AReportBatchSaysEachStormInOrderWhileItsFilesAreWrittenAside) {
    QTemporaryDir folder;
    const QString taken = folder.filePath(QStringLiteral("雨型计算书 P=5年 T=60分 R=0.4.docx"));
    ASSERT_TRUE(WriteBytes(taken, "mine"));
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels); // the order of both streams
    process.start(QStringLiteral(VELMORA_CLI_PATH),
                  {QStringLiteral("--P"), QStringLiteral("2,5,10"), QStringLiteral("--T"),
                   QStringLiteral("60,120"), QStringLiteral("--format"), QStringLiteral("report"),
                   QStringLiteral("--out-dir"), folder.path()});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    QStringList lines;
    for (const QByteArray& line : process.readAll().split('\n').mid(1))
        if (!line.isEmpty())
            lines << (line.startsWith("出错")
                          ? QString::fromUtf8(line)
                          : QString::fromUtf8(line.left(line.indexOf(',', line.indexOf(',') + 1))));
    EXPECT_EQ(lines,
              (QStringList{
                  "2,60", "2,120",
                  QStringLiteral("出错：P=5年 T=60分：文件“%1”已存在，没有覆盖（覆盖请加 --force）")
                      .arg(taken),
                  "5,120", "10,60", "10,120"}));
    EXPECT_EQ(Contents(taken), "mine");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 6);
}

TEST_F(Cli, MemoryRunningOutInAReportBatchSaysTheStormsWrittenBeforeIt) {
    QTemporaryDir folder;
    int drawn = 0;
    const ReportChartPainter runsOutOnTheThird = [&drawn](velmora::StormSession&) {
        if (++drawn == 3)
            throw std::bad_alloc();
        QImage chart(553, 400, QImage::Format_RGB888);
        chart.fill(Qt::white);
        return velmora::Result<QImage>(chart);
    };
    CliRun run{0, {}, {}};
    run.exitCode =
        RunCli({QStringLiteral("--P"), QStringLiteral("1,2,3,5"), QStringLiteral("--format"),
                QStringLiteral("report"), QStringLiteral("--out-dir"), folder.path()},
               run.out, run.err, runsOutOnTheThird);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("出错：内存不足\n").toUtf8());
    ASSERT_EQ(run.lines().size(), 3); // the header, P = 1 and P = 2
    EXPECT_TRUE(run.lines()[2].startsWith("2,120,"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(Cli, HostileComputationsAndBatchesAreRefusedAtOnce) {
    QStringList many;
    for (int i = 1; i <= 20000; ++i)
        many << QString::number(i);
    const struct {
        QStringList arguments;
        int exitCode;
        QString err;
    } cases[] = {
        {{QStringLiteral("--a1"), QStringLiteral("1e153"), QStringLiteral("--b"),
          QStringLiteral("1.4e154"), QStringLiteral("--n"), QStringLiteral("1"),
          QStringLiteral("--totals")},
         1,
         QStringLiteral("出错：第0分钟的降雨强度计算溢出或不是有效数字\n")},
        {{QStringLiteral("--P"), many.join(','), QStringLiteral("--T"), many.join(',')},
         2,
         QStringLiteral(
             "velmora-cli: --P 和 --T 组合出 400000000 个雨型，一次最多可以计算 1000000 个\n") +
             CliUsageLine() + '\n'},
    };
    for (const auto& c : cases) {
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(QString::fromUtf8(run.err), c.err);
    }
}

TEST_F(Cli, ConcurrentBatchesIntoOneFolderWriteEachFileOnce) {
    QTemporaryDir folder;
    const QStringList batch = {QStringLiteral("--P"),       QStringLiteral("1,2,3,5"),
                               QStringLiteral("--T"),       QStringLiteral("60,120"),
                               QStringLiteral("--format"),  QStringLiteral("swmm"),
                               QStringLiteral("--out-dir"), folder.path()};
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 10; ++i) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->start(QStringLiteral(VELMORA_CLI_PATH), batch);
    }
    int summaries = 0;
    for (const auto& run : runs) {
        ASSERT_TRUE(run->waitForFinished(60000));
        summaries += run->readAllStandardOutput().count('\n') - 1; // less the header
    }
    EXPECT_EQ(summaries, 8);
    EXPECT_EQ(QDir(folder.path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                  .size(),
              8);
}

TEST_F(Cli, ForceReplacesLinksInTheFolderWithoutFollowingThem) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS();
    QTemporaryDir folder;
    QTemporaryDir outside;
    const QString theirs = outside.filePath(QStringLiteral("theirs.txt"));
    ASSERT_TRUE(WriteBytes(theirs, "not ours"));
    const QString nothing = outside.filePath(QStringLiteral("nothing.txt"));
    ASSERT_TRUE(
        QFile::link(theirs, folder.filePath(QStringLiteral("芝加哥雨型P=1年 t=120分 r=0.4.txt"))));
    ASSERT_TRUE(
        QFile::link(nothing, folder.filePath(QStringLiteral("芝加哥雨型P=2年 t=120分 r=0.4.txt"))));
    const CliRun run = Run({QStringLiteral("--P"), QStringLiteral("1,2"),
                            QStringLiteral("--format"), QStringLiteral("storm"),
                            QStringLiteral("--out-dir"), folder.path(), QStringLiteral("--force")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(Contents(theirs), "not ours");
    EXPECT_FALSE(QFileInfo::exists(nothing));
    for (const QFileInfo& written :
         QDir(folder.path())
             .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
        EXPECT_FALSE(written.isSymLink()) << written.fileName().toStdString();
        EXPECT_TRUE(Contents(written.filePath()).startsWith("SIGN="));
    }
}

TEST_F(Cli, AStoppedBatchHasPrintedEveryStormItFinished) {
    QTemporaryDir folder;
    QStringList years;
    for (int p = 1; p <= 400; ++p)
        years << QString::number(p);
    QProcess process;
    process.start(QStringLiteral(VELMORA_CLI_PATH),
                  {QStringLiteral("--P"), years.join(','), QStringLiteral("--T"),
                   QStringLiteral("1440"), QStringLiteral("--out-dir"), folder.path()});
    QByteArray printed;
    while (printed.count('\n') < 3 && process.waitForReadyRead(30000))
        printed += process.readAllStandardOutput();
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(30000));
    printed += process.readAllStandardOutput();
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError())
                    .startsWith(QStringLiteral("出错：批量计算被中断：完成了")));
    // Each line printed is a file written, and nothing half-written is left.
    const QStringList files =
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    EXPECT_EQ(files.size(), printed.count('\n') - 1);
    EXPECT_TRUE(files.filter(QStringLiteral(".tmp")).isEmpty());
}

TEST_F(Cli, TheStormIsCheckedAgainstItsFormula) {
    const CliRun printed = Run({QStringLiteral("--idf-check")});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    EXPECT_TRUE(printed.out.startsWith(
        QStringLiteral("历时(min),雨型最大雨量(mm),公式雨量(mm),相差(%)\n5,11.9535,11.7962,1.33\n")
            .toUtf8()));
    EXPECT_TRUE(printed.out.endsWith("\n120,60.4437,60.2284,0.36\n"));

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("check.csv"));
    ASSERT_EQ(Run({QStringLiteral("--idf-check"), QStringLiteral("--out"), file}).exitCode, 0);
    QByteArray expected = printed.out;
    expected.replace("\n", "\r\n");
    EXPECT_EQ(Contents(file), velmora::EncodeCodePage936(QString::fromUtf8(expected)));
    EXPECT_EQ(
        Run({QStringLiteral("--idf-check"), QStringLiteral("--P"), QStringLiteral("1,2")}).exitCode,
        2);
}

TEST_F(Cli, StormsOfTheListsAreComparedInOneFile) {
    const CliRun printed =
        Run({QStringLiteral("--compare"), QStringLiteral("--P"), QStringLiteral("2,5"),
             QStringLiteral("--r"), QStringLiteral("0.3,0.5"), QStringLiteral("--T"),
             QStringLiteral("60")});
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QStringList lines = QString::fromUtf8(printed.out).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], QStringLiteral("时间(min),P=2年 T=60分 r=0.3 (mm/min),P=2年 T=60分 r=0.5 "
                                       "(mm/min),P=5年 T=60分 r=0.3 (mm/min),P=5年 T=60分 r=0.5 "
                                       "(mm/min)"));
    EXPECT_EQ(lines.size(), 1 + 61 + 1);

    const struct {
        QStringList arguments;
        const char* refusal;
    } refused[] = {
        {{"--r", "0.3,0.5"}, "--r 的多个值只用于 --compare"},
        {{"--compare", "--P", "1,2,3", "--r", "0.3,0.4,0.5"}, "一次最多可以对比 8 个"},
        {{"--compare", "--P", "1,2", "--format", "docx", "--out", "x.docx"},
         "--format 只能是 csv、swmm、png 或 xlsx"},
        {{"--compare", "--P", "1,2", "--format", "png"}, "png 和 xlsx 需要 --out 文件"},
        {{"--P", "1,2", "--format", "png", "--out-dir", "."}, "--format png 只用于 --compare"},
        {{"--compare", "--P", "1,2", "--out-dir", "."}, "不能与 --out-dir"},
    };
    for (const auto& c : refused) {
        const CliRun run = Run(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.refusal;
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(QString::fromUtf8(c.refusal)))
            << run.err.toStdString();
    }
    // One storm that cannot be computed: nothing is written.
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("compare.dat"));
    const CliRun failed =
        Run({QStringLiteral("--compare"), QStringLiteral("--P"), QStringLiteral("2,0.01"),
             QStringLiteral("--format"), QStringLiteral("swmm"), QStringLiteral("--out"), file});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(
        QString::fromUtf8(failed.err).startsWith(QStringLiteral("出错：P=0.01年 T=120分 r=0.4：")))
        << failed.err.toStdString();
    EXPECT_FALSE(QFile::exists(file));
    // The workbook of the last storm, with every storm on its second sheet.
    const QString workbook = folder.filePath(QStringLiteral("compare.xlsx"));
    ASSERT_EQ(
        Run({QStringLiteral("--compare"), QStringLiteral("--P"), QStringLiteral("2,5"),
             QStringLiteral("--format"), QStringLiteral("xlsx"), QStringLiteral("--out"), workbook})
            .exitCode,
        0);
    const auto entries = velmora::ReadZipArchive(Contents(workbook));
    ASSERT_TRUE(entries.ok());
    const QString sheet =
        QString::fromUtf8(velmora::testing::EntryBytes(*entries, "xl/worksheets/sheet3.xml"));
    EXPECT_TRUE(sheet.contains(QStringLiteral("P=2年 T=120分 r=0.4")) &&
                sheet.contains(QStringLiteral("P=5年 T=120分 r=0.4")));
    // A comparison that cannot be written says why.
    const QString unwritable = folder.filePath(QStringLiteral("missing/compare.csv"));
    const CliRun blocked = Run({QStringLiteral("--compare"), QStringLiteral("--P"),
                                QStringLiteral("2,5"), QStringLiteral("--out"), unwritable});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(blocked.err)
                    .startsWith(QStringLiteral("无法写入文件“%1”").arg(unwritable)))
        << blocked.err.toStdString();
}
