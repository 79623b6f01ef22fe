// velmora-cli --into-swmm: storms written into an existing SWMM model.

#include "cli_arguments.h"
#include "cli_run.h"
#include "file_size_limit.h"
#include "qstring_printer.h"
#include "small_swmm_model.h"
#include "system_reason.h"
#include "test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace velmora::cli;
using velmora::testing::Contents;
using velmora::testing::WriteBytes;

namespace {

const QByteArray& Model = velmora::testing::SmallSwmmModel;

struct Printed {
    int exitCode = 0;
    QString out;
    QString err;
};

class CliSwmmModel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteBytes(model(), Model)); }
    QString model() const { return folder.filePath(QStringLiteral("管网.inp")); }
    // velmora-cli with `arguments` (split at blanks) and --into-swmm MODEL.
    Printed into(const QString& arguments, const QString& path = QString()) const {
        QStringList list = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        list << QStringLiteral("--into-swmm") << (path.isEmpty() ? model() : path);
        QByteArray out;
        QByteArray err;
        const int exitCode = RunCli(list, out, err);
        return {exitCode, QString::fromUtf8(out), QString::fromUtf8(err)};
    }

    QTemporaryDir folder;
};

TEST_F(CliSwmmModel, PrintsALinePerSeriesTheUnitAndTheWarnings) {
    const struct {
        const char* arguments;
        QStringList lines;
    } cases[] = {
        {"",
         {"新增时间序列P2_T120_r0.4，新增雨量计RG_P2_T120_r0.4",
          "降雨强度单位mm/hr（模型的流量单位为LPS）"}},
        {"--P 2,5 --T 60 --r 0.3,0.5 --step 5 --interval-average",
         {"新增时间序列P2_T60_r0.3，新增雨量计RG_P2_T60_r0.3",
          "新增时间序列P2_T60_r0.5，新增雨量计RG_P2_T60_r0.5",
          "新增时间序列P5_T60_r0.3，新增雨量计RG_P5_T60_r0.3",
          "新增时间序列P5_T60_r0.5，新增雨量计RG_P5_T60_r0.5",
          "降雨强度单位mm/hr（模型的流量单位为LPS）"}},
        {"--T 480 --step 5 --gage-name RG1 --assign-gage",
         {"新增时间序列P2_T480_r0.4，新增雨量计RG1", "降雨强度单位mm/hr（模型的流量单位为LPS）",
          "2个子汇水区改用雨量计RG1",
          "注意：雨型P2_T480_r0.4的步长为5分钟，各行是所在分钟的强度而不是时段平均强度："
          "SWMM把每个值保持5分钟，模型得到98.24 mm，比降雨总量H=100.04 mm少1.80 mm"
          "（在设置中选择“按时段平均强度”，模型得到的雨量就等于H）",
          "注意：模型的模拟时段（START_DATE/START_TIME至END_DATE/END_TIME）只有6小时，"
          "雨型P2_T480_r0.4要到开始后8小时5分钟才结束：模拟只包含其中的87.33 mm"
          "（全部为98.24 mm），请把END_DATE/END_TIME推后"}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBytes(model(), Model));
        const Printed run = into(QString::fromUtf8(c.arguments));
        EXPECT_EQ(run.exitCode, 0) << c.arguments;
        EXPECT_EQ(run.err, QString());
        EXPECT_EQ(run.out, c.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }
    EXPECT_TRUE(Contents(model()).contains("S2               RG1              J1  "));
}

// The model takes the storm in its own unit whatever the table shows.
TEST_F(CliSwmmModel, TheDisplayOptionsDoNotChangeWhatIsWritten) {
    ASSERT_EQ(into(QString()).exitCode, 0);
    const QByteArray inMinutes = Contents(model());
    ASSERT_TRUE(WriteBytes(model(), Model));
    ASSERT_EQ(into(QStringLiteral("--unit mm/h --time hm --decimals 1")).exitCode, 0);
    EXPECT_EQ(Contents(model()), inMinutes);
    EXPECT_TRUE(inMinutes.contains("P2_T120_r0.4                00:48      201.5961328\r\n"));
}

TEST_F(CliSwmmModel, OurOwnEntriesAreReplacedOnlyWithForce) {
    ASSERT_EQ(into(QStringLiteral("--P 2,5")).exitCode, 0);
    const QByteArray written = Contents(model());

    const Printed refused = into(QStringLiteral("--P 5 --step 5"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.out, QString());
    EXPECT_EQ(refused.err,
              QStringLiteral("无法把雨型写入模型“%1”：模型中已有同名的时间序列P5_T120_r0.4、"
                             "雨量计RG_P5_T120_r0.4（替换请加 --force）\n")
                  .arg(model()));
    EXPECT_EQ(Contents(model()), written);

    const Printed forced = into(QStringLiteral("--P 5,10 --force"));
    EXPECT_EQ(forced.exitCode, 0) << forced.err.toStdString();
    EXPECT_TRUE(forced.out.startsWith(
        QStringLiteral("替换时间序列P5_T120_r0.4，替换雨量计RG_P5_T120_r0.4\n"
                       "新增时间序列P10_T120_r0.4，新增雨量计RG_P10_T120_r0.4\n")));
}

TEST_F(CliSwmmModel, ArgumentsThatCannotBeWrittenAreRefused) {
    QStringList many;
    for (int p = 1; p <= 101; ++p)
        many << QString::number(p);
    const struct {
        QString arguments;
        QString message;
    } cases[] = {
        {QStringLiteral("--P ") + many.join(QLatin1Char(',')),
         QStringLiteral("--P、--T 和 --r 组合出 101 个雨型，一次最多可以写入模型 100 个")},
        {QStringLiteral("--P 2,5 --assign-gage"),
         QStringLiteral("--assign-gage 只用于一个雨型：--P、--T 和 --r 组合出 2 个")},
        {QStringLiteral("--T 60,120 --gage-name RG1"),
         QStringLiteral("--gage-name 只用于一个雨型：--P、--T 和 --r 组合出 2 个")},
        {QStringLiteral("--gage-name 雨量计"),
         QStringLiteral("--gage-name：雨量计名称“雨量计”含有字符“雨”：SWMM的名称只能用英文字母、"
                        "数字和英文符号")},
        {QStringLiteral("--format swmm"),
         QStringLiteral("--into-swmm 把雨型写入模型，不能与 --out、--out-dir、--compare、"
                        "--format、--write-storm、--totals 或 --idf-check 一起使用")},
    };
    for (const auto& c : cases) {
        const Printed run = into(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("velmora-cli: ") + c.message + '\n'))
            << run.err.toStdString();
    }
    for (const char* alone : {"--assign-gage", "--gage-name RG1"}) {
        QByteArray out;
        QByteArray err;
        EXPECT_EQ(RunCli(QString::fromUtf8(alone).split(' '), out, err), 2);
        EXPECT_TRUE(err.contains(" 只用于 --into-swmm\n")) << err.toStdString();
    }
    EXPECT_EQ(Contents(model()), Model);
}

TEST_F(CliSwmmModel, NothingWrittenExitsWithOneAndLeavesTheModel) {
    const QString notAModel = folder.filePath(QStringLiteral("notes.inp"));
    ASSERT_TRUE(WriteBytes(notAModel, "P2 T120\r\n"));
    const struct {
        QString arguments;
        QString path;
        QString err;
    } cases[] = {
        {QStringLiteral("--P 2,0.01"), model(),
         QStringLiteral("出错：P=0.01年 T=120分 r=0.4：1+C·lgP=-0.692，不大于0（C=0.846，"
                        "P=0.01年），降雨强度将是负数或0：请检查参数C和重现期P\n")},
        {QString(), notAModel,
         QStringLiteral("无法把雨型写入模型“%1”：这不是SWMM输入文件：其中没有[OPTIONS]、"
                        "[SUBCATCHMENTS]这样的节标题\n")
             .arg(notAModel)},
        {QString(), folder.filePath(QStringLiteral("none.inp")),
         QStringLiteral("无法打开文件“%1”：%2\n")
             .arg(folder.filePath(QStringLiteral("none.inp")), velmora::SystemReasonText(ENOENT))},
    };
    for (const auto& c : cases) {
        const Printed run = into(c.arguments, c.path);
        EXPECT_EQ(run.exitCode, 1) << c.arguments.toStdString();
        EXPECT_EQ(run.out, QString());
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(Contents(model()), Model);
    EXPECT_EQ(Contents(notAModel), "P2 T120\r\n");

    Printed full;
    {
        const velmora::testing::FileSizeLimit fullDisk(Model.size() + 100);
        full = into(QString());
    }
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(
        full.err,
        QStringLiteral("无法写入文件“%1”：%2\n").arg(model(), velmora::SystemReasonText(EFBIG)));
    EXPECT_EQ(Contents(model()), Model);
}

} // namespace
