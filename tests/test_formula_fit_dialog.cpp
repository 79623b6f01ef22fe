// 数据 → 暴雨强度公式推求...: the dialog driven through the scripted desktop.

#include "fit_tables.h"
#include "formula_fit_chart.h"
#include "formula_fit_dialog.h"
#include "intensity_tables.h"
#include "main_window_fixture.h"
#include "number_text.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace velmora;
using namespace velmora::testing;

namespace {

const TTotalFormula Formula{10.5, 0.85, 12, 0.72, CommonLogarithm};
const QString NotFitted = QStringLiteral("尚未推求：选好数据和选项后点击“推求”。");

template <typename T> T* Child(QWidget& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_TRUE(child) << name;
    return child;
}

void Click(QWidget& dialog, const char* button) {
    Child<QPushButton>(dialog, button)->click();
}

QStringList TabTitles(QWidget& dialog) {
    auto* tabs = Child<QTabWidget>(dialog, "Tabs_Results");
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles << tabs->tabText(i);
    return titles;
}

void Paste(QWidget& dialog, const QString& text) {
    QApplication::clipboard()->setText(text);
    Click(dialog, "Button_Paste");
}

class FormulaFit : public MainWindowFixture {
protected:
    void SetUp() override { start(); }

    // 数据 → 暴雨强度公式推求..., in which `script` does what a person does.
    void inDialog(std::function<void(FormulaFitDialog&)> script) {
        desktop.dialogScripts.push_back(
            [script](QDialog& dialog) { script(dynamic_cast<FormulaFitDialog&>(dialog)); });
        find<QAction>("Menu_FormulaFit")->trigger();
    }
};

} // namespace

TEST_F(FormulaFit, ATableFromAFileIsFittedDrawnAndCopiedAndItsFolderKept) {
    QTemporaryDir rain;
    const QString path = rain.filePath(QStringLiteral("table.csv"));
    ASSERT_TRUE(WriteBytes(path, TableCsv(TableOfFormula(Formula)).toUtf8()));
    desktop.openAnswers.push_back(FileDialogAnswer{path, 0});
    inDialog([&](FormulaFitDialog& dialog) {
        Click(dialog, "Button_OpenFile");
        EXPECT_EQ(Child<QPlainTextEdit>(dialog, "Edit_Data")->toPlainText(),
                  TableCsv(TableOfFormula(Formula)));
        Click(dialog, "Button_Fit");
        EXPECT_EQ(Child<QLabel>(dialog, "Label_Formula")->text(),
                  QStringLiteral("i = 10.5(1+0.85lgP)/(t+12)^0.72  (mm/min)"));
        EXPECT_TRUE(Child<QLabel>(dialog, "Label_Accuracy")
                        ->text()
                        .startsWith(QStringLiteral("2~20年：σ = 0.0000 mm/min（合格）")));
        EXPECT_EQ(TabTitles(dialog), (QStringList{"总公式精度", "单一重现期公式", "最大偏差"}));

        // The table's points and the formula's curve for each period, P = 100 last.
        auto* chart = Child<FormulaFitChart>(dialog, "Chart_Fit");
        ASSERT_EQ(chart->periodCount(), 8);
        EXPECT_EQ(chart->curve(7)->name(), QStringLiteral("P=100年"));
        EXPECT_EQ(chart->points(7)->data()->at(0)->value,
                  TableOfFormula(Formula).intensities[0][7]);
        const auto last = chart->curve(7)->data()->at(chart->curve(7)->dataCount() - 1);
        EXPECT_NEAR(last->key, 180, 1e-9);
        EXPECT_NEAR(last->value, FormulaIntensity(Formula, 180, 100), 1e-6);
        Child<QCheckBox>(dialog, "CheckBox_LogAxes")->setChecked(true);
        EXPECT_EQ(chart->xAxis->scaleType(), QCPAxis::stLogarithmic);

        QApplication::clipboard()->clear();
        Click(dialog, "Button_Copy");
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 9);
        EXPECT_EQ(lines[0], QStringLiteral("暴雨强度公式\ti = 10.5(1+0.85lgP)/(t+12)^0.72"));
        EXPECT_NEAR(lines[1].section(QLatin1Char('\t'), 1).toDouble(), 10.5, 1e-5);
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("a1\t")));
        EXPECT_EQ(lines[5], QStringLiteral("LG_LN\t0"));
        EXPECT_EQ(lines.mid(6, 3), (QStringList{"", "总公式精度",
                                                "重现期(年)\t均方差σ(mm/min)\t相对均方差(%)\t"
                                                "σ≤0.05mm/min\t相对均方差≤5%"}));
    });
    EXPECT_EQ(session->storm().a1, DefaultStorm().a1);

    // The folder of rain data is remembered, also after a restart.
    window->close();
    window.reset();
    start();
    desktop.openAnswers.push_back(std::nullopt);
    inDialog([](FormulaFitDialog& dialog) { Click(dialog, "Button_OpenFile"); });
    EXPECT_EQ(desktop.fileDialogs.back().folder, rain.path());
}

TEST_F(FormulaFit, TheFormulaGoesToTheNewStormDialogAndNothingChangesUntilConfirmed) {
    changeStorm([](TExpressionObject& storm) {
        storm.F_type = FlowForm;
        storm.Storm_RepeatYear = 5;
        storm.Storm_Time = 180;
    });
    const TExpressionObject before = session->storm();
    inDialog([&](FormulaFitDialog& dialog) {
        Paste(dialog, TableCsv(PatternedTable(0.05, 1)));
        Child<QComboBox>(dialog, "ComboBox_LgLn")->setCurrentIndex(1);
        Click(dialog, "Button_Fit");
        ASSERT_TRUE(dialog.shownFit().has_value());
        // The formula as the dialog shows it, to 6 digits.
        const TTotalFormula fitted = dialog.shownFit()->fit.total;
        const auto shown = [](double x) { return CoefficientText(x); };

        desktop.dialogScripts.push_back([&](QDialog& storm) {
            const auto text = [&](const char* name) {
                return Child<QLineEdit>(storm, name)->text();
            };
            EXPECT_EQ(Child<QComboBox>(storm, "cbbStormType")->currentIndex(), 0);
            EXPECT_EQ(text("Edit_a1"), shown(fitted.a1));
            EXPECT_EQ(text("Edit_c"), shown(fitted.c));
            EXPECT_EQ(text("Edit_b"), shown(fitted.b));
            EXPECT_EQ(text("Edit_n"), shown(fitted.n));
            EXPECT_EQ(Child<QComboBox>(storm, "ComboBox_LgLn")->currentIndex(), 1);
            EXPECT_EQ(text("EditRepeatYear"), "5");
            EXPECT_EQ(text("EditStormTime"), "180");
            Click(storm, "ButtonCancle");
        });
        Click(dialog, "Button_UseForNewStorm");
        EXPECT_EQ(session->storm().a1, before.a1);
        EXPECT_EQ(session->storm().F_type, FlowForm);
        EXPECT_NE(dialog.result(), QDialog::Accepted);

        desktop.dialogScripts.push_back([](QDialog& storm) { Click(storm, "ButtonOK"); });
        Click(dialog, "Button_UseForNewStorm");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const TExpressionObject& taken = session->storm();
        EXPECT_EQ(taken.F_type, IntensityForm);
        for (const auto& [kept, fit] : {std::pair{taken.a1, fitted.a1},
                                        {taken.c, fitted.c},
                                        {taken.b, fitted.b},
                                        {taken.n, fitted.n}})
            EXPECT_EQ(GeneralNumberText(kept, QLatin1Char('.')), shown(fit));
        EXPECT_EQ(taken.LG_LN, NaturalLogarithm);
        EXPECT_EQ(taken.Storm_RepeatYear, 5);
    });
    EXPECT_EQ(grid().gridModel().rowCount(), 181);
}

TEST_F(FormulaFit, BadDataIsNamedAndLeavesNoResultsAndNothingChanged) {
    const struct {
        bool maxima;
        QString data;
        QString periods;
        ScriptedDesktop::Message::Kind kind;
        QString message;
    } cases[] = {
        {false,
         "历时,2,5\n5,2,2.5\n10,1.5,x\n15,1,1.3\n",
         {},
         ScriptedDesktop::Message::Error,
         "第3行第3列的强度“x”不是数字"},
        {false, " \n", {}, ScriptedDesktop::Message::Information, "请先打开数据文件或粘贴数据"},
        {true, RecordsText(ThirtyYearsOfMaxima()), "2,x", ScriptedDesktop::Message::Error,
         "重现期“x”不是数字"},
    };
    const QByteArray options = Contents(optionsPath());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        desktop.messages.clear();
        inDialog([&](FormulaFitDialog& dialog) {
            Child<QRadioButton>(dialog, c.maxima ? "Radio_Maxima" : "Radio_Table")
                ->setChecked(true);
            Child<QPlainTextEdit>(dialog, "Edit_Data")->setPlainText(c.data);
            if (c.maxima)
                Child<QLineEdit>(dialog, "Edit_Periods")->setText(c.periods);
            Click(dialog, "Button_Fit");
            EXPECT_FALSE(dialog.shownFit().has_value());
            EXPECT_EQ(Child<QLabel>(dialog, "Label_Formula")->text(), NotFitted);
            EXPECT_TRUE(TabTitles(dialog).isEmpty());
            EXPECT_FALSE(Child<QPushButton>(dialog, "Button_UseForNewStorm")->isEnabled());
        });
        ASSERT_EQ(desktop.messages.size(), 1u);
        EXPECT_EQ(desktop.messages[0].kind, c.kind);
        EXPECT_EQ(desktop.messages[0].text, c.message);
        EXPECT_EQ(session->storm().a1, DefaultStorm().a1);
        EXPECT_EQ(Contents(optionsPath()), options);
    }
}

TEST_F(FormulaFit, AnnualMaximaShowTheDistributionsAndAChangedChoiceDropsTheResults) {
    inDialog([](FormulaFitDialog& dialog) {
        Child<QRadioButton>(dialog, "Radio_Maxima")->setChecked(true);
        EXPECT_FALSE(Child<QComboBox>(dialog, "ComboBox_Unit")->isEnabled());
        Paste(dialog, RecordsText(ThirtyYearsOfMaxima()));
        auto* distribution = Child<QComboBox>(dialog, "ComboBox_Distribution");
        distribution->setCurrentIndex(distribution->findText(QStringLiteral("耿贝尔分布")));
        Click(dialog, "Button_Fit");
        ASSERT_TRUE(dialog.shownFit().has_value());
        EXPECT_EQ(dialog.shownFit()->distribution, 1u);
        EXPECT_TRUE(Child<QLabel>(dialog, "Label_Formula")
                        ->text()
                        .endsWith(QStringLiteral("\n由耿贝尔分布的强度表推求")));
        EXPECT_EQ(TabTitles(dialog),
                  (QStringList{"三种分布的公式", "总公式精度", "单一重现期公式", "最大偏差",
                               "皮尔逊III型分布", "耿贝尔分布", "指数分布"}));

        distribution->setCurrentIndex(0);
        EXPECT_FALSE(dialog.shownFit().has_value());
        EXPECT_FALSE(Child<QPushButton>(dialog, "Button_Copy")->isEnabled());
        EXPECT_EQ(Child<FormulaFitChart>(dialog, "Chart_Fit")->periodCount(), 0);
    });
}
