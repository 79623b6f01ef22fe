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

using velmora::testing::Contents;
using velmora::testing::SmallSwmmModel;
using velmora::testing::WriteBytes;

namespace {

class CliSwmmModel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteBytes(model, SmallSwmmModel)); }
    // velmora-cli with `arguments` (split at blanks) and --into-swmm `path`:
    // the exit code, then standard output, or standard error after a failure.
    std::pair<int, QString> into(const QString& arguments, const QString& path) const {
        QByteArray out;
        QByteArray err;
        const int code = velmora::cli::RunCli(
            arguments.split(' ', Qt::SkipEmptyParts) + QStringList{"--into-swmm", path}, out, err);
        return {code, QString::fromUtf8(code == 0 ? out : err)};
    }

    QTemporaryDir folder;
    const QString model = folder.filePath("管网.inp");
    const QString unit = QStringLiteral("降雨强度单位mm/hr（模型的流量单位为LPS）\n");
};

TEST_F(CliSwmmModel, PrintsWhatWasWrittenOrWhyNothingWas) {
    const QString notAModel = folder.filePath("notes.inp");
    ASSERT_TRUE(WriteBytes(notAModel, "P2 T120\r\n"));
    QStringList years;
    for (int p = 1; p <= 101; ++p)
        years << QString::number(p);
    const QString taken = "无法把雨型写入模型“%1”：模型中已有同名的时间序列P2_T480_r0.4、雨量计RG1";
    const struct {
        QString arguments, path;
        int exitCode;
        QString printed; // its start
    } cases[] = {
        {"--P 2,0.01", model, 1, "出错：P=0.01年 T=120分 r=0.4：1+C·lgP=-0.692，不大于0"},
        {"", notAModel, 1,
         QStringLiteral("无法把雨型写入模型“%1”：这不是SWMM输入文件").arg(notAModel)},
        {"--P " + years.join(','), model, 2,
         "velmora-cli: --P、--T 和 --r 组合出 101 个雨型，一次最多可以写入模型 100 个\n"},
        {"--P 2,5 --assign-gage", model, 2,
         "velmora-cli: --assign-gage 只用于一个雨型：--P、--T 和 --r 组合出 2 个\n"},
        {"--gage-name 雨量计", model, 2,
         "velmora-cli: --gage-name：雨量计名称“雨量计”含有字符“雨”：SWMM的名称只能用英文字母、"
         "数字和英文符号\n"},
        {"--format swmm", model, 2, "velmora-cli: --into-swmm 把雨型写入模型，不能与 --out"},
        // H = 100.04 mm; each row held 5 minutes gives 98.24, 87.33 in 6 hours.
        {"--T 480 --step 5 --gage-name RG1 --assign-gage", model, 0,
         "新增时间序列P2_T480_r0.4，新增雨量计RG1\n" + unit +
             "2个子汇水区改用雨量计RG1\n"
             "注意：雨型P2_T480_r0.4的步长为5分钟，各行是所在分钟的强度而不是时段平均强度："
             "SWMM把每个值保持5分钟，模型得到98.24 mm，比降雨总量H=100.04 mm少1.80 mm"
             "（在设置中选择“按时段平均强度”，模型得到的雨量就等于H）\n"
             "注意：模型的模拟时段（START_DATE/START_TIME至END_DATE/END_TIME）只有6小时，"
             "雨型P2_T480_r0.4要到开始后8小时5分钟才结束：模拟只包含其中的87.33 mm"
             "（全部为98.24 mm），请把END_DATE/END_TIME推后\n"},
        {"--T 480 --gage-name RG1", model, 1, taken.arg(model) + "（替换请加 --force）\n"},
        {"--T 480,60 --force", model, 0,
         "替换时间序列P2_T480_r0.4，新增雨量计RG_P2_T480_r0.4\n新增时间序列P2_T60_r0.4"},
    };
    for (const auto& c : cases) {
        const QByteArray before = Contents(c.path);
        const auto [exitCode, printed] = into(c.arguments, c.path);
        EXPECT_EQ(exitCode, c.exitCode) << c.arguments.toStdString();
        EXPECT_TRUE(printed.startsWith(c.printed)) << printed.toStdString();
        if (c.exitCode != 0) {
            EXPECT_EQ(Contents(c.path), before) << c.arguments.toStdString();
        }
    }
    EXPECT_TRUE(Contents(model).contains("S2               RG1              J1  "));
    QByteArray out, err;
    EXPECT_EQ(velmora::cli::RunCli({"--assign-gage"}, out, err), 2);
    EXPECT_TRUE(err.startsWith("velmora-cli: --assign-gage 只用于 --into-swmm\n"));
}

TEST_F(CliSwmmModel, AFullDiskWritesNothing) {
    const velmora::testing::FileSizeLimit fullDisk(SmallSwmmModel.size() + 100);
    EXPECT_EQ(into("", model),
              std::make_pair(1, QStringLiteral("无法写入文件“%1”：%2\n")
                                    .arg(model, velmora::SystemReasonText(EFBIG))));
    EXPECT_EQ(Contents(model), SmallSwmmModel);
}

} // namespace
