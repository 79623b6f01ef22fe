// 数据 → 写入SWMM模型...: the window's command through the scripted desktop.

#include "file_size_limit.h"
#include "main_window_fixture.h"
#include "small_swmm_model.h"
#include "system_reason.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>

#include <cerrno>

using namespace velmora;
using velmora::testing::Contents;
using velmora::testing::SmallSwmmModel;

namespace {

QString Added(const QString& series) {
    return QStringLiteral("新增时间序列%1，新增雨量计RG_%1").arg(series);
}
const QString Unit = QStringLiteral("降雨强度单位mm/hr（模型的流量单位为LPS）");

class SwmmModelCommandTest : public velmora::testing::MainWindowFixture {
protected:
    void SetUp() override {
        start();
        ASSERT_TRUE(velmora::testing::WriteBytes(model, SmallSwmmModel));
    }
    // Chooses the model; in the dialog, records the storms and the check box
    // and checks it when `assign`, then writes (or cancels when not `accept`).
    void write(bool accept = true, bool assign = false) {
        desktop.openAnswers.push_back(FileDialogAnswer{model, 0});
        desktop.dialogScripts.push_back([=, this](QDialog& dialog) {
            auto* box = dialog.findChild<QCheckBox*>("CheckBox_AssignGage");
            checkBox = {box->text(), box->isEnabled()};
            storms = dialog.findChild<QLabel*>("Label_Storms")->text().split('\n').mid(1);
            box->setChecked(assign);
            if (accept)
                dialog.accept();
        });
        find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    }
    QString lastMessage() const {
        return desktop.messages.empty() ? QString() : desktop.messages.back().text;
    }
    QString writtenInto(const QStringList& lines) const {
        return QStringLiteral("已写入模型“%1”：\r\n").arg(model) + lines.join("\r\n");
    }

    QTemporaryDir files;
    const QString model = files.filePath("管网.inp");
    std::pair<QString, bool> checkBox;
    QStringList storms;
};

TEST_F(SwmmModelCommandTest, TheCurrentStormGoesInWithTheSubcatchmentsOnItsGageWhenChecked) {
    write(true, true);
    EXPECT_EQ(desktop.fileDialogs.back().types.front().mask, "*.inp");
    EXPECT_EQ(checkBox,
              std::make_pair(QStringLiteral("让所有子汇水区使用雨量计RG_P2_T120_r0.4"), true));
    EXPECT_EQ(storms,
              QStringList{"P=2年 T=120分 r=0.4：时间序列P2_T120_r0.4，雨量计RG_P2_T120_r0.4"});
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, velmora::testing::ScriptedDesktop::Message::Copyable);
    EXPECT_EQ(lastMessage(),
              writtenInto({Added("P2_T120_r0.4"), Unit, "2个子汇水区改用雨量计RG_P2_T120_r0.4"}));
    EXPECT_TRUE(Contents(model).contains("S2               RG_P2_T120_r0.4              J1 "));

    // The model's folder is where the next model is looked for, after a restart too.
    window->close();
    window.reset();
    start();
    desktop.openAnswers.push_back(std::nullopt);
    find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    EXPECT_EQ(desktop.fileDialogs.back().folder, files.path());
}

TEST_F(SwmmModelCommandTest, ComparedStormsAreWrittenWhenThePersonSaysSo) {
    const auto compare = [this](std::initializer_list<double> years, double shown) {
        session->clearComparison();
        for (const double p : years) {
            changeStorm([p](TExpressionObject& storm) { storm.Storm_RepeatYear = p; });
            find<QAction>("Menu_AddToComparison")->trigger();
        }
        changeStorm([shown](TExpressionObject& storm) { storm.Storm_RepeatYear = shown; });
    };
    const QString question = "对比中有%1个雨型：%2。\r\n选择“是”把这%1个雨型都写入模型，选择“否”"
                             "只写入当前雨型。";
    const QString notShown = "\r\n当前雨型不在对比中，选择“是”时不写入它。";
    compare({1, 5}, 5);
    desktop.yesNoAnswers = {false};
    write();
    EXPECT_EQ(desktop.messages[0].text,
              question.arg(2).arg("P=1年 T=120分 r=0.4、P=5年 T=120分 r=0.4"));
    EXPECT_TRUE(checkBox.second);
    EXPECT_EQ(lastMessage(), writtenInto({Added("P5_T120_r0.4"), Unit}));

    compare({3}, 2); // one compared storm, not the one shown, named as itself
    desktop.messages.clear();
    desktop.yesNoAnswers = {true};
    write();
    EXPECT_EQ(desktop.messages[0].text, question.arg(1).arg("P=3年 T=120分 r=0.4") + notShown);
    EXPECT_EQ(storms,
              QStringList{"P=3年 T=120分 r=0.4：时间序列P3_T120_r0.4，雨量计RG_P3_T120_r0.4"});

    compare({1, 2}, 2); // all of them, the check box off
    desktop.messages.clear();
    desktop.yesNoAnswers = {true};
    write(true, true);
    EXPECT_FALSE(checkBox.second);
    EXPECT_EQ(lastMessage(), writtenInto({Added("P1_T120_r0.4"), Added("P2_T120_r0.4"), Unit}));
}

TEST_F(SwmmModelCommandTest, OurEntriesAreReplacedOnlyAfterAsking) {
    write();
    const QByteArray first = Contents(model);
    changeStorm([](TExpressionObject& storm) { storm.Storm_Step = 5; });
    for (const bool replace : {false, true}) {
        desktop.messages.clear();
        desktop.yesNoAnswers = {replace};
        write();
        EXPECT_EQ(desktop.messages[0].text,
                  "模型中已有同名的时间序列P2_T120_r0.4、雨量计RG_P2_T120_r0.4"
                  "（本程序以前写入的）。\r\n是否替换？");
        EXPECT_EQ(desktop.messages.size(), replace ? 2u : 1u);
        EXPECT_EQ(Contents(model) == first, !replace);
    }
    EXPECT_TRUE(lastMessage().contains("替换时间序列P2_T120_r0.4，替换雨量计RG_P2_T120_r0.4"));
}

TEST_F(SwmmModelCommandTest, NothingIsWrittenWhenCancelledRefusedOrTheDiskIsFull) {
    write(false);
    EXPECT_TRUE(desktop.messages.empty());
    {
        const velmora::testing::FileSizeLimit fullDisk(SmallSwmmModel.size() + 100);
        write();
    }
    EXPECT_EQ(desktop.messages.back().title, ErrorTitle);
    EXPECT_EQ(lastMessage(),
              QStringLiteral("无法写入文件“%1”：%2").arg(model, SystemReasonText(EFBIG)));
    EXPECT_EQ(Contents(model), SmallSwmmModel);

    failComputation();
    find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    EXPECT_EQ(lastMessage(), NoDataMessage);
    EXPECT_EQ(desktop.fileDialogs.size(), 2u);
}

} // namespace
