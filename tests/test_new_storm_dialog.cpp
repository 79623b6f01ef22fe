#include "hyetograph_chart.h"
#include "main_window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <map>

using namespace velmora;
using velmora::testing::ScriptedDesktop;

namespace {

using Texts = std::map<const char*, QString>;

// A person filling in the dialog and pressing "确定".
std::function<void(QDialog&)> EnterAndConfirm(Texts texts, int form = -1) {
    return [texts, form](QDialog& dialog) {
        if (form >= 0)
            dialog.findChild<QComboBox*>(QStringLiteral("cbbStormType"))->setCurrentIndex(form);
        for (const auto& [name, text] : texts)
            dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    };
}

class NewStormDialog : public velmora::testing::MainWindowFixture {
protected:
    void SetUp() override { start(); }

    bool confirm(Texts texts, int form = -1) {
        desktop.dialogScripts.push_back(EnterAndConfirm(std::move(texts), form));
        window->ButtonNewRainModelClick();
        return window->findChild<QDialog*>(QStringLiteral("FormAddNewRainModel"))->result() ==
               QDialog::Accepted;
    }
    QDialog* dialog() const {
        return window->findChild<QDialog*>(QStringLiteral("FormAddNewRainModel"));
    }
    QLineEdit* field(const char* name) const {
        return dialog()->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QString lastMessage() const {
        return desktop.messages.empty() ? QString() : desktop.messages.back().text;
    }
};

} // namespace

TEST_F(NewStormDialog, TheUntouchedDialogGivesTheDefaultStorm) {
    ASSERT_TRUE(confirm({}));
    const TExpressionObject& storm = session->storm();
    EXPECT_EQ(storm.F_type, 0);
    EXPECT_EQ(storm.a1, 9.5981);
    EXPECT_NEAR(storm.a1_167, 1602.8827, 1e-9); // derived with the factor 167 now
    EXPECT_EQ(storm.c, 0.846);
    EXPECT_EQ(storm.b, 7.0);
    EXPECT_EQ(storm.Storm_Time, 120.0);
    EXPECT_EQ(storm.Storm_Step, 1);
    EXPECT_EQ(grid().gridModel().rowCount(), 121);
    EXPECT_EQ(cell(49, 1), "3.3599");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(field("Edit_b")->text(), "7"); // shown as the shortest number text
}

TEST_F(NewStormDialog, TheFlowFormWithItsCoefficientGivesTheSameHyetograph) {
    desktop.dialogScripts.push_back([](QDialog& dialog) {
        auto* form = dialog.findChild<QComboBox*>(QStringLiteral("cbbStormType"));
        form->setCurrentIndex(1);
        auto* coefficient = dialog.findChild<QLineEdit*>(QStringLiteral("Edit_a1"));
        EXPECT_EQ(coefficient->text(), "9.5981"); // switching the form converts nothing
        EXPECT_EQ(coefficient->placeholderText(), QStringLiteral("166.7A1"));
        EXPECT_EQ(coefficient->toolTip(), QStringLiteral("参数166.7A1"));
        EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblStormDanWei"))->text(),
                  QStringLiteral("(L/(s.hm²))"));
        coefficient->setText(QStringLiteral("1602.8827"));
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
    });
    window->ButtonNewRainModelClick();
    EXPECT_EQ(session->storm().F_type, 1);
    EXPECT_NEAR(session->storm().a1, 9.5981, 1e-12);
    EXPECT_EQ(cell(49, 1), "3.3599");
    EXPECT_EQ(cell(121, 2), "60.6345");

    // Shown again, the dialog offers the flow form's coefficient.
    desktop.dialogScripts.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("Edit_a1"))->text(), "1602.8827");
        EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("cbbStormType"))->currentIndex(), 1);
    });
    window->ButtonNewRainModelClick();
}

TEST_F(NewStormDialog, ThePeakRatioLiesStrictlyBetweenZeroAndOne) {
    const TExpressionObject before = session->storm();
    for (const char* ratio : {"1", "0", "1.0"}) {
        desktop.messages.clear();
        EXPECT_FALSE(confirm({{"EditStormPercent", QString::fromLatin1(ratio)}})) << ratio;
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Information);
        EXPECT_EQ(desktop.messages[0].title, QStringLiteral("提示"));
        EXPECT_EQ(desktop.messages[0].text,
                  QStringLiteral("峰值比例只能取值(0~1)之间，不包括0和1"));
        EXPECT_EQ(session->storm().Storm_Percent, before.Storm_Percent);
    }
    EXPECT_TRUE(confirm({{"EditStormPercent", QStringLiteral("0.999")}}));
    EXPECT_EQ(session->storm().Storm_Percent, 0.999);

    desktop.messages.clear();
    EXPECT_FALSE(confirm({{"EditStormPercent", QStringLiteral("1.2.3")}}));
    EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Error);
    EXPECT_EQ(lastMessage(), QStringLiteral("'1.2.3' is not a valid floating point value"));
}

TEST_F(NewStormDialog, EmptyFieldsAreNamedInOrder) {
    const std::vector<std::pair<const char*, QString>> cases = {
        {"Edit_a1", QStringLiteral("[A1]不能为空！")},
        {"Edit_c", QStringLiteral("[c]不能为空！")},
        {"Edit_b", QStringLiteral("[b]不能为空！")},
        {"Edit_n", QStringLiteral("[n]不能为空！")},
        {"EditRepeatYear", QStringLiteral("重现期不能为空！")},
        {"EditStormTime", QStringLiteral("降雨历时不能为空！")},
        {"EditStormPercent", QStringLiteral("峰值比例不能为空！")},
        {"EditStep", QStringLiteral("计算步长不能为空！")}};
    for (const auto& [name, message] : cases) {
        desktop.messages.clear();
        EXPECT_FALSE(confirm({{name, QStringLiteral("  ")}}));
        EXPECT_EQ(lastMessage(), message) << name;
        EXPECT_EQ(dialog()->focusWidget(), field(name)) << name;
        field(name)->setText(QStringLiteral("1"));
    }
    desktop.messages.clear();
    EXPECT_FALSE(confirm({{"Edit_a1", QString()}}, 1));
    EXPECT_EQ(lastMessage(), QStringLiteral("[166.7A1]不能为空！"));
}

TEST_F(NewStormDialog, ANumberThatDoesNotConvertLeavesTheStormExactlyAsItWas) {
    const TExpressionObject before = session->storm();
    EXPECT_FALSE(
        confirm({{"Edit_a1", QStringLiteral("12")}, {"Edit_c", QStringLiteral("abc")}}, 1));
    EXPECT_EQ(lastMessage(), QStringLiteral("输入的数据有错误，只能输入数字，请重新检查"));
    const TExpressionObject& after = session->storm();
    EXPECT_EQ(after.F_type, before.F_type);
    EXPECT_EQ(after.a1, before.a1);
    EXPECT_EQ(after.a1_167, before.a1_167);
    EXPECT_EQ(after.c, before.c);
    EXPECT_EQ(grid().gridModel().rowCount(), 121);

    // A1 = 2E306 converts to 166.7A1 = INF: a storm the file could not keep.
    EXPECT_FALSE(confirm({{"Edit_a1", QStringLiteral("2") + QString(306, QLatin1Char('0'))}}, 0));
    EXPECT_EQ(lastMessage(), QStringLiteral("a1_167=INF 超出了雨型文件可以保存的数值范围"));
    EXPECT_EQ(session->storm().a1, before.a1);
}

TEST_F(NewStormDialog, AStormThatCannotBeComputedKeepsTheDialogOpenAndTheStormShown) {
    session->setCurrentStormFile(QStringLiteral("/kept/storm.txt"));
    const QString shownLabel = find<InfoLabel>("Label_Overall_Rainfall")->text();
    const struct {
        const char* field;
        const char* typed;
        const char* message;
    } refused[] = {
        {"Edit_b", "-7", "出错：计算第46分钟时t+b=-2为负数，不能取非整数次幂"},
        {"EditStep", "0", "出错：计算步长为0，无法按步长取出数据"},
        {"EditRepeatYear", "0", "出错：重现期P=0年，无法取对数（P必须大于0）"},
        {"Edit_n", "1.5",
         "出错：第0分钟的降雨强度是负数：参数n=1.5大于1，离雨峰较远处(1-n)·t+b小于0。"
         "请检查暴雨强度公式的参数"},
    };
    for (const auto& c : refused) {
        desktop.messages.clear();
        EXPECT_FALSE(confirm({{c.field, QString::fromUtf8(c.typed)}})) << c.field;
        ASSERT_EQ(desktop.messages.size(), 1u) << c.field;
        EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Error);
        EXPECT_EQ(desktop.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(field(c.field)->text(), QString::fromUtf8(c.typed)); // kept as typed
        EXPECT_EQ(session->storm().Storm_Step, 1);
        EXPECT_EQ(session->storm().b, 7.0);
        EXPECT_EQ(grid().gridModel().rowCount(), 121);
        EXPECT_EQ(find<InfoLabel>("Label_Overall_Rainfall")->text(), shownLabel);
        EXPECT_EQ(session->currentStormFile(), QStringLiteral("/kept/storm.txt"));
        // Showing the dialog again fills every field but the step from the storm shown.
        field("EditStep")->setText(QStringLiteral("1"));
    }
    EXPECT_TRUE(confirm({}));
}

TEST_F(NewStormDialog, KeyFiltersAndEscape) {
    desktop.dialogScripts.push_back([](QDialog& dialog) {
        dialog.show();
        auto* time = dialog.findChild<QLineEdit*>(QStringLiteral("EditStormTime"));
        time->clear();
        QTest::keyClicks(time, QStringLiteral("12a.3-"));
        EXPECT_EQ(time->text(), "123");
        auto* ratio = dialog.findChild<QLineEdit*>(QStringLiteral("EditStormPercent"));
        ratio->clear();
        QTest::keyClicks(ratio, QStringLiteral("0,5x.5"));
        EXPECT_EQ(ratio->text(), "05.5");
        auto* step = dialog.findChild<QLineEdit*>(QStringLiteral("EditStep"));
        step->clear();
        step->insert(QStringLiteral("4x")); // pasted text is held to the same rule
        EXPECT_EQ(step->text(), QString());
        EXPECT_FALSE(step->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_EQ(step->alignment(), Qt::AlignCenter);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        dialog.findChild<QPushButton*>(QStringLiteral("ButtonCancle"))->click();
    });
    const TExpressionObject before = session->storm();
    window->ButtonNewRainModelClick();
    EXPECT_EQ(dialog()->result(), QDialog::Rejected);
    EXPECT_EQ(session->storm().Storm_Time, before.Storm_Time);
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("添加新曲线"));
    EXPECT_EQ(dialog()->size(), QSize(414, 223));
}

class NewStormDialogUnderACommaLocale : public velmora::testing::MainWindowFixture {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        start();
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(NewStormDialogUnderACommaLocale, ItsOwnSeparatorAndTheDotAreTypedAlike) {
    for (const char* typed : {"0,35", "0.35"}) {
        desktop.dialogScripts.push_back([typed](QDialog& dialog) {
            auto* percent = dialog.findChild<QLineEdit*>(QStringLiteral("EditStormPercent"));
            percent->clear();
            QTest::keyClicks(percent, QString::fromLatin1(typed));
            EXPECT_EQ(percent->text(), QString::fromLatin1(typed));
            dialog.findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
        });
        window->ButtonNewRainModelClick();
        EXPECT_EQ(session->storm().Storm_Percent, 0.35) << typed;
    }
}
