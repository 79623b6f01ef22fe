// 数据 → 写入SWMM模型...: the window's command through the scripted desktop.

#include "file_size_limit.h"
#include "main_window_fixture.h"
#include "small_swmm_model.h"
#include "system_reason.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>

#include <cerrno>

using namespace velmora;
using velmora::testing::Contents;
using velmora::testing::SmallSwmmModel;

namespace {

// What the result says of the default storm of `years` years.
QString Added(int years) {
    return QStringLiteral("新增时间序列P%1_T120_r0.4，新增雨量计RG_P%1_T120_r0.4").arg(years);
}
QString Assigned(int years) {
    return QStringLiteral("2个子汇水区改用雨量计RG_P%1_T120_r0.4").arg(years);
}
const QString Unit = QStringLiteral("降雨强度单位mm/hr（模型的流量单位为LPS）");

class SwmmModelCommandTest : public velmora::testing::MainWindowFixture {
protected:
    void SetUp() override {
        start();
        ASSERT_TRUE(velmora::testing::WriteBytes(model, SmallSwmmModel));
    }
    // Chooses the model; in the dialog, records the storms and the check box,
    // sets the box (even a disabled one) and writes, or cancels.
    void write(bool accept = true) {
        desktop.openAnswers.push_back(FileDialogAnswer{model, 0});
        desktop.dialogScripts.push_back([this, accept](QDialog& dialog) {
            auto* box = dialog.findChild<QCheckBox*>("CheckBox_AssignGage");
            checkBox = {box->text(), box->isEnabled()};
            storms = dialog.findChild<QLabel*>("Label_Storms")->text().split('\n').mid(1);
            box->setChecked(true);
            if (accept)
                dialog.accept();
        });
        find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    }
    QString writtenInto(const QStringList& lines) const {
        // The model's name as the person's system writes names.
        return QStringLiteral("已写入模型“%1”：\r\n").arg(QDir::toNativeSeparators(model)) +
               lines.join("\r\n");
    }

    QTemporaryDir files;
    const QString model = files.filePath("管网.inp");
    std::pair<QString, bool> checkBox;
    QStringList storms;
};

TEST_F(SwmmModelCommandTest, TheCurrentStormGoesInWithTheSubcatchmentsOnItsGageWhenChecked) {
    write();
    EXPECT_EQ(checkBox,
              std::make_pair(QStringLiteral("让所有子汇水区使用雨量计RG_P2_T120_r0.4"), true));
    EXPECT_EQ(storms,
              QStringList{"P=2年 T=120分 r=0.4：时间序列P2_T120_r0.4，雨量计RG_P2_T120_r0.4"});
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, velmora::testing::ScriptedDesktop::Message::Copyable);
    EXPECT_EQ(desktop.messages[0].text, writtenInto({Added(2), Unit, Assigned(2)}));
    EXPECT_TRUE(Contents(model).contains("S2               RG_P2_T120_r0.4              J1 "));

    // The model's folder is where the next model is looked for, after a restart too.
    window->close();
    window.reset();
    start();
    desktop.openAnswers.push_back(std::nullopt);
    find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    EXPECT_EQ(desktop.fileDialogs.back().folder, files.path());
}

// The compared storms or the current one, then the question before replacing our own entries.
TEST_F(SwmmModelCommandTest, ComparedStormsAreWrittenWhenThePersonSaysSoAndReplacedAfterAsking) {
    const QString replace = "模型中已有同名的时间序列P5_T120_r0.4、雨量计RG_P5_T120_r0.4（本程序"
                            "以前写入的）。\r\n是否替换？";
    const struct {
        std::vector<int> compared;
        int shown;
        std::deque<bool> answers;
        QStringList written; // empty: the replacing was declined
    } cases[] = {
        {{1, 5}, 5, {false}, {Added(5), Unit, Assigned(5)}},
        {{3}, 2, {true}, {Added(3), Unit, Assigned(3)}}, // the compared one, not the one shown
        {{1, 5}, 5, {true, false}, {}},
        {{1, 5},
         5,
         {true, true},
         {Added(1), "替换时间序列P5_T120_r0.4，替换雨量计RG_P5_T120_r0.4", Unit}},
    };
    for (const auto& c : cases) {
        session->clearComparison();
        QStringList legends;
        for (const int p : c.compared) {
            changeStorm([p](TExpressionObject& storm) { storm.Storm_RepeatYear = p; });
            find<QAction>("Menu_AddToComparison")->trigger();
            legends << QStringLiteral("P=%1年 T=120分 r=0.4").arg(p);
        }
        changeStorm([&c](TExpressionObject& storm) { storm.Storm_RepeatYear = c.shown; });
        desktop.messages.clear();
        desktop.yesNoAnswers = c.answers;
        const QByteArray before = Contents(model);
        write();
        EXPECT_EQ(
            desktop.messages.front().text,
            QStringLiteral("对比中有%1个雨型：%2。\r\n选择“是”把这%1个雨型都写入模型，选择“否”"
                           "只写入当前雨型。%3")
                .arg(c.compared.size())
                .arg(legends.join("、"), c.shown == c.compared.back()
                                             ? QString()
                                             : "\r\n当前雨型不在对比中，选择“是”时不写入它。"));
        const int first = c.answers.front() ? c.compared.front() : c.shown;
        EXPECT_EQ(storms.front(), QStringLiteral("P=%1年 T=120分 r=0.4：时间序列P%1_T120_r0.4，"
                                                 "雨量计RG_P%1_T120_r0.4")
                                      .arg(first));
        EXPECT_EQ(checkBox.second, storms.size() == 1);
        EXPECT_EQ(desktop.messages.back().text,
                  c.written.isEmpty() ? replace : writtenInto(c.written));
        EXPECT_EQ(Contents(model) == before, c.written.isEmpty());
    }
}

TEST_F(SwmmModelCommandTest, NothingIsWrittenWhenCancelledOrTheDiskIsFull) {
    write(false);
    EXPECT_TRUE(desktop.messages.empty());
    {
        const velmora::testing::FileSizeLimit fullDisk(SmallSwmmModel.size() + 100);
        write();
    }
    EXPECT_EQ(desktop.messages.back().title, ErrorTitle);
    EXPECT_EQ(desktop.messages.back().text,
              QStringLiteral("无法写入文件“%1”：%2").arg(model, SystemReasonText(EFBIG)));
    EXPECT_EQ(Contents(model), SmallSwmmModel);

    failComputation();
    find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    EXPECT_EQ(desktop.messages.back().text, NoDataMessage);
    EXPECT_EQ(desktop.fileDialogs.size(), 2u);
}

} // namespace
