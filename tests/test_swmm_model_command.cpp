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
using velmora::testing::ScriptedDesktop;
using velmora::testing::SmallSwmmModel;
using velmora::testing::WriteBytes;

namespace {

using Message = ScriptedDesktop::Message;

const QString Unit = QStringLiteral("降雨强度单位mm/hr（模型的流量单位为LPS）");

class SwmmModelCommandTest : public velmora::testing::MainWindowFixture {
protected:
    void SetUp() override {
        start();
        ASSERT_TRUE(WriteBytes(model(), SmallSwmmModel));
    }
    QString model() const { return files.filePath(QStringLiteral("管网.inp")); }

    // Chooses the model and, in the dialog, what `dialog` does (nothing:
    // cancelled); the dialog's check box is recorded.
    void write(const std::function<void(QDialog&)>& dialog = {}) {
        desktop.openAnswers.push_back(FileDialogAnswer{model(), 0});
        desktop.dialogScripts.push_back([this, dialog](QDialog& shown) {
            auto* box = shown.findChild<QCheckBox*>(QStringLiteral("CheckBox_AssignGage"));
            checkBox = {box->text(), box->isEnabled()};
            stormsShown = shown.findChild<QLabel*>(QStringLiteral("Label_Storms"))->text();
            if (dialog)
                dialog(shown);
        });
        find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    }
    static void Accept(QDialog& dialog) { dialog.accept(); }
    static void AssignAndAccept(QDialog& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("CheckBox_AssignGage"))->setChecked(true);
        dialog.accept();
    }
    // The text of the last message: the result, or the error.
    QString written() const {
        EXPECT_FALSE(desktop.messages.empty());
        return desktop.messages.empty() ? QString() : desktop.messages.back().text;
    }
    QString writtenInto(const QStringList& lines) const {
        return QStringLiteral("已写入模型“%1”：\r\n").arg(model()) +
               lines.join(QStringLiteral("\r\n"));
    }
    void compare(std::initializer_list<double> years) {
        for (const double p : years) {
            changeStorm([p](TExpressionObject& storm) { storm.Storm_RepeatYear = p; });
            find<QAction>("Menu_AddToComparison")->trigger();
        }
    }

    QTemporaryDir files;
    std::pair<QString, bool> checkBox;
    QString stormsShown;
};

TEST_F(SwmmModelCommandTest, TheCurrentStormGoesInWithTheSubcatchmentsOnItsGageWhenChecked) {
    write(AssignAndAccept);
    EXPECT_EQ(desktop.fileDialogs.back().title, QStringLiteral("写入SWMM模型"));
    EXPECT_EQ(desktop.fileDialogs.back().types.front().mask, QStringLiteral("*.inp"));
    EXPECT_EQ(checkBox,
              std::make_pair(QStringLiteral("让所有子汇水区使用雨量计RG_P2_T120_r0.4"), true));
    EXPECT_EQ(stormsShown, QStringLiteral("写入1个雨型，每个雨型一个时间序列和读取它的雨量计：\n"
                                          "P=2年 T=120分 r=0.4：时间序列P2_T120_r0.4，雨量计"
                                          "RG_P2_T120_r0.4"));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, Message::Copyable);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("写入SWMM模型"));
    EXPECT_EQ(written(),
              writtenInto({QStringLiteral("新增时间序列P2_T120_r0.4，新增雨量计RG_P2_T120_r0.4"),
                           Unit, QStringLiteral("2个子汇水区改用雨量计RG_P2_T120_r0.4")}));
    const QByteArray withGage = Contents(model());
    EXPECT_TRUE(withGage.contains("S1               RG_P2_T120_r0.4              J1 ") &&
                withGage.contains("S2               RG_P2_T120_r0.4              J1 "));

    // The model's folder is where the next model is looked for, after a restart too.
    window->close();
    window.reset();
    session.reset();
    start();
    desktop.openAnswers.push_back(std::nullopt);
    find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    EXPECT_EQ(desktop.fileDialogs.back().folder, files.path());
}

TEST_F(SwmmModelCommandTest, ComparedStormsAreWrittenWhenThePersonSaysSo) {
    compare({1, 5, 20});
    const struct {
        std::deque<bool> answers; // all compared storms; then replace P = 20
        QString firstStormShown;
        QStringList lines;
        bool checkBoxEnabled;
    } cases[] = {
        {{false},
         QStringLiteral("P=20年 T=120分 r=0.4：时间序列P20_T120_r0.4，雨量计RG_P20_T120_r0.4"),
         {QStringLiteral("新增时间序列P20_T120_r0.4，新增雨量计RG_P20_T120_r0.4"), Unit},
         true},
        {{true, true},
         QStringLiteral("P=1年 T=120分 r=0.4：时间序列P1_T120_r0.4，雨量计RG_P1_T120_r0.4"),
         {QStringLiteral("新增时间序列P1_T120_r0.4，新增雨量计RG_P1_T120_r0.4"),
          QStringLiteral("新增时间序列P5_T120_r0.4，新增雨量计RG_P5_T120_r0.4"),
          QStringLiteral("替换时间序列P20_T120_r0.4，替换雨量计RG_P20_T120_r0.4"), Unit},
         false},
    };
    for (const auto& c : cases) {
        desktop.messages.clear();
        desktop.yesNoAnswers = c.answers;
        write(Accept);
        ASSERT_EQ(desktop.messages.size(), c.answers.size() + 1);
        EXPECT_EQ(desktop.messages[0].text,
                  QStringLiteral("对比中有3个雨型：P=1年 T=120分 r=0.4、P=5年 T=120分 r=0.4、"
                                 "P=20年 T=120分 r=0.4。\r\n选择“是”把这3个雨型都写入模型，"
                                 "选择“否”只写入当前雨型。"));
        EXPECT_EQ(stormsShown.split(QLatin1Char('\n')).value(1), c.firstStormShown);
        EXPECT_EQ(checkBox.second, c.checkBoxEnabled);
        EXPECT_EQ(written(), writtenInto(c.lines));
    }

    // One compared storm that is not the one shown: asked, and named as itself.
    session->clearComparison();
    compare({3});
    changeStorm([](TExpressionObject& storm) { storm.Storm_RepeatYear = 2; });
    desktop.messages.clear();
    desktop.yesNoAnswers = {true};
    write(Accept);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("对比中有1个雨型：P=3年 T=120分 r=0.4。\r\n选择“是”把这1个雨型都写入"
                             "模型，选择“否”只写入当前雨型。\r\n当前雨型不在对比中，选择“是”时不"
                             "写入它。"));
    EXPECT_TRUE(stormsShown.endsWith(QStringLiteral("\nP=3年 T=120分 r=0.4：时间序列P3_T120_r0.4，"
                                                    "雨量计RG_P3_T120_r0.4")));

    // Only the current storm compared: nothing to ask.
    session->clearComparison();
    find<QAction>("Menu_AddToComparison")->trigger();
    desktop.messages.clear();
    write(Accept);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(
        written(),
        writtenInto({QStringLiteral("新增时间序列P2_T120_r0.4，新增雨量计RG_P2_T120_r0.4"), Unit}));
}

TEST_F(SwmmModelCommandTest, OurEntriesAreReplacedOnlyAfterAsking) {
    write(Accept);
    const QByteArray first = Contents(model());
    changeStorm([](TExpressionObject& storm) { storm.Storm_Step = 5; });
    const QString question = QStringLiteral("模型中已有同名的时间序列P2_T120_r0.4、雨量计"
                                            "RG_P2_T120_r0.4（本程序以前写入的）。\r\n是否替换？");
    for (const bool replace : {false, true}) {
        desktop.messages.clear();
        desktop.yesNoAnswers = {replace};
        write(Accept);
        ASSERT_GE(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].kind, Message::Question);
        EXPECT_EQ(desktop.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(desktop.messages[0].text, question);
        EXPECT_EQ(desktop.messages.size(), replace ? 2u : 1u);
        EXPECT_EQ(Contents(model()) == first, !replace);
    }
    EXPECT_TRUE(written().contains(QStringLiteral("替换时间序列P2_T120_r0.4，替换雨量计")));
    EXPECT_TRUE(
        Contents(model()).contains(" INTENSITY 00:05    1.0      TIMESERIES P2_T120_r0.4\r\n"));
}

TEST_F(SwmmModelCommandTest, NothingIsWrittenWhenCancelledRefusedOrTheDiskIsFull) {
    write(); // the dialog cancelled
    desktop.openAnswers.push_back(std::nullopt);
    find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(Contents(model()), SmallSwmmModel);

    {
        const velmora::testing::FileSizeLimit fullDisk(SmallSwmmModel.size() + 100);
        write(Accept);
    }
    EXPECT_EQ(desktop.messages.back().kind, Message::Error);
    EXPECT_EQ(written(),
              QStringLiteral("无法写入文件“%1”：%2").arg(model(), SystemReasonText(EFBIG)));

    ASSERT_TRUE(WriteBytes(model(), "P2 T120\r\n"));
    write(Accept);
    EXPECT_EQ(written(), QStringLiteral("无法把雨型写入模型“%1”：这不是SWMM输入文件：其中没有"
                                        "[OPTIONS]、[SUBCATCHMENTS]这样的节标题")
                             .arg(model()));
    EXPECT_EQ(Contents(model()), "P2 T120\r\n");

    failComputation();
    desktop.messages.clear();
    find<QAction>("Menu_WriteIntoSwmmModel")->trigger();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, NoDataMessage);
    EXPECT_EQ(desktop.fileDialogs.size(), 4u);
}

} // namespace
