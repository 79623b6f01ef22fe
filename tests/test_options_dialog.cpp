#include "font_and_color_dialog.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "main_window_fixture.h"
#include "test_files.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace velmora;

namespace {

template <typename T> T* Control(QDialog& dialog, const char* name) {
    return dialog.findChild<T*>(QString::fromLatin1(name));
}

void Press(QDialog& dialog, const char* button) {
    Control<QPushButton>(dialog, button)->click();
}

class OptionsDialog : public velmora::testing::MainWindowFixture {
protected:
    QByteArray fileBytes() const { return velmora::testing::Contents(optionsPath()); }
    void runDialog(std::function<void(QDialog&)> script) {
        desktop.dialogScripts.push_back(std::move(script));
        window->Menu_OptionsClick();
    }
};

} // namespace

TEST_F(OptionsDialog, LabelsChangeAtOnceAndCancelUndoesThem) {
    start();
    InfoLabel* p = infoLabels()[0];
    runDialog([&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("设置"));
        EXPECT_EQ(dialog.size(), QSize(578, 289));
        EXPECT_EQ(Control<QSpinBox>(dialog, "SpinEdit_Precision")->minimum(), 1);
        EXPECT_EQ(Control<QSpinBox>(dialog, "SpinEdit_Precision")->maximum(), 99);
        EXPECT_EQ(Control<QCheckBox>(dialog, "CheckBox_CalcByShow")->toolTip(),
                  QStringLiteral("按显示的数值计算，会降低计算精度"));
        Control<QCheckBox>(dialog, "CheckBox_ShowLabel_P")->click();
        EXPECT_FALSE(p->isVisible()); // at once, while the dialog is open
        Press(dialog, "Button_Cancle");
    });
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(fileBytes(), "<none>");
}

TEST_F(OptionsDialog, TheTimeFormatIsPreviewedAtOnce) {
    writeOptions("[OPTIONS]\nTimeFormat=0\n");
    start();
    EXPECT_EQ(chart().xAxis->label(), QStringLiteral("降雨历时(H:M)"));
    runDialog([&](QDialog& dialog) {
        EXPECT_EQ(Control<QComboBox>(dialog, "ComboBox_TimeForamt")->currentIndex(), 0);
        Control<QComboBox>(dialog, "ComboBox_TimeForamt")->setCurrentIndex(1);
        EXPECT_EQ(cell(49, 0), "48"); // while the dialog is open
        EXPECT_EQ(chart().xAxis->label(), QStringLiteral("降雨历时(min)"));
        EXPECT_EQ(fileBytes(), "[OPTIONS]\nTimeFormat=0\n"); // not saved yet
        Press(dialog, "Button_OK");
    });
    EXPECT_EQ(cell(49, 0), "48");
    EXPECT_EQ(chart().xAxis->tickLabelRotation(), 0);
    EXPECT_TRUE(fileBytes().contains("TimeFormat=1"));
}

// What changes the table is previewed too; 取消 brings the table back where
// the grid stood, on its row.
TEST_F(OptionsDialog, CancelRestoresTheTableAndTheGridsPlace) {
    start();
    changeStorm([](TExpressionObject& storm) { storm.Storm_Step = 5; });
    grid().resize(grid().width(), 200);
    grid().setCurrentGridRow(20);
    const ResultGrid::Place place = grid().place();
    ASSERT_GT(place.scrolled, 0);
    const QString minute95 = cell(20, 1);
    runDialog([&](QDialog& dialog) {
        Control<QComboBox>(dialog, "ComboBox_StormUnit")->setCurrentIndex(0);
        EXPECT_NEAR(cell(20, 1).toDouble(), minute95.toDouble() * 60, 0.01); // mm/h at once
        Control<QSpinBox>(dialog, "SpinEdit_Precision")->setValue(2);
        EXPECT_EQ(cell(20, 1).section(QLatin1Char('.'), 1).size(), 2);
        Control<QCheckBox>(dialog, "CheckBox_IntervalAverage")->click();
        EXPECT_EQ(infoLabels()[4]->text(), QStringLiteral("平均雨强i=29.10mm/h"));
        EXPECT_EQ(grid().currentGridRow(), 20); // the grid stays on its row meanwhile
        Press(dialog, "Button_Cancle");
    });
    EXPECT_EQ(cell(20, 1), minute95);
    EXPECT_EQ(infoLabels()[4]->text(), QStringLiteral("平均雨强i=0.5011mm/min"));
    EXPECT_EQ(grid().currentGridRow(), 20);
    EXPECT_EQ(grid().place().scrolled, place.scrolled);
    EXPECT_EQ(chart().highlightedBarPoint(), 19);
    EXPECT_EQ(fileBytes(), "<none>");
}

TEST_F(OptionsDialog, AFactorThatMatchesNoEntryBecomesTheFirstOne) {
    writeOptions("[OPTIONS]\nQI_ConversionRatio=166.5\n");
    start();
    runDialog([&](QDialog& dialog) {
        EXPECT_EQ(Control<QComboBox>(dialog, "ComboBox_QI_ConversionRatio")->currentText(),
                  QStringLiteral("q = 167 * i"));
        Press(dialog, "Button_OK");
    });
    EXPECT_TRUE(fileBytes().contains("QI_ConversionRatio=167\n")) << fileBytes().toStdString();
    EXPECT_EQ(session->options().D_QI_ConversionRatio, 167.0);
}

TEST_F(OptionsDialog, TheFactorRederivesTheDependentCoefficient) {
    start();
    changeStorm([](TExpressionObject& storm) {
        storm.F_type = FlowForm;
        storm.a1_167 = 1000;
        DeriveDependentCoefficient(storm, 167);
    });
    const TExpressionObject& storm = session->storm();
    const QString before = cell(1, 1);
    runDialog([&](QDialog& dialog) {
        Control<QComboBox>(dialog, "ComboBox_QI_ConversionRatio")->setCurrentIndex(2); // 166.67
        // At once, while the dialog is open.
        EXPECT_DOUBLE_EQ(storm.a1, 1000 / 166.67);
        EXPECT_NE(cell(1, 1), before);
        Press(dialog, "Button_OK");
    });
    EXPECT_DOUBLE_EQ(storm.a1, 1000 / 166.67);
    EXPECT_EQ(storm.a1_167, 1000.0);
    EXPECT_NE(cell(1, 1), before); // recomputed

    changeStorm([](TExpressionObject& storm) { storm = DefaultStorm(); });
    runDialog([](QDialog& dialog) {
        Control<QComboBox>(dialog, "ComboBox_QI_ConversionRatio")->setCurrentIndex(1); // 166.7
        Press(dialog, "Button_OK");
    });
    EXPECT_EQ(storm.a1, 9.5981);
    EXPECT_DOUBLE_EQ(storm.a1_167, 9.5981 * 166.7);
}

TEST_F(OptionsDialog, ALabelFontChangesAllFiveLabelsAtOnce) {
    start();
    QFont chosen(QStringLiteral("Courier"), 14);
    chosen.setItalic(true);
    desktop.fontAnswers.push_back(ChosenFont{chosen, QColor(0, 0, 255)});
    desktop.fontAnswers.push_back(std::nullopt); // the second font dialog is cancelled
    runDialog([&](QDialog& dialog) {
        dialog.findChild<QPushButton*>(QStringLiteral("btn_SelectFont7"))->click();
        EXPECT_EQ(Control<QLabel>(dialog, "lbl_RainModelInfoFont")->font().pointSize(), 14);
        for (InfoLabel* label : infoLabels()) {
            EXPECT_EQ(label->font().pointSize(), 14);
            EXPECT_TRUE(label->font().italic());
            EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        }
        dialog.findChild<QPushButton*>(QStringLiteral("btn_SelectFont1"))->click();
        EXPECT_EQ(Control<QLabel>(dialog, "lbl_LeftAxisFont")->font().pointSize(), 9);
        Press(dialog, "Button_OK");
    });
    EXPECT_TRUE(fileBytes().contains("Font_RainModelInfo=\"Courier\", 14, [Italic], [clBlue]\r\n"))
        << fileBytes().toStdString();
    EXPECT_TRUE(fileBytes().contains("Font_LeftAxis=\"Arial\", 9, [], [clBlack]\r\n"));
    EXPECT_EQ(infoLabels()[3]->font().pointSize(), 14);
}

TEST_F(OptionsDialog, AFontRowConfirmedUnchangedKeepsItsDescription) {
    writeOptions("[OPTIONS]\nFont_RainModelInfo=\"Arial\", 9, [Bold], [clWindowText]\n"
                 "Font_LeftAxis=\"Nowhere Sans\", 11, [Italic], [clRed]\n");
    start();
    // What a font chooser gives back untouched: the face it shows for the one
    // named (an installed stand-in when that is missing) with the same size and styles.
    const std::pair<const char*, const char*> rows[] = {
        {"lbl_RainModelInfoFont", "btn_SelectFont7"}, {"lbl_LeftAxisFont", "btn_SelectFont1"}};
    for (const auto& [name, button] : rows) {
        runDialog([&](QDialog& dialog) {
            const QFont offered = Control<QLabel>(dialog, name)->font();
            QFont shown = offered;
            shown.setFamily(QFontInfo(offered).family());
            desktop.fontAnswers.push_back(ChosenFont{
                shown, Control<QLabel>(dialog, name)->palette().color(QPalette::WindowText)});
            dialog.findChild<QPushButton*>(QString::fromLatin1(button))->click();
            Press(dialog, "Button_OK");
        });
    }
    EXPECT_TRUE(fileBytes().contains("Font_RainModelInfo=\"Arial\", 9, [Bold], [clWindowText]\n"))
        << fileBytes().toStdString(); // the font file written by the test itself ends lines with LF
    EXPECT_TRUE(fileBytes().contains("Font_LeftAxis=\"Nowhere Sans\", 11, [Italic], [clRed]\n"));
}

TEST_F(OptionsDialog, BothSeriesOffThenCancelBringsThemBack) {
    start();
    ASSERT_TRUE(window->SaveRainModel(QString()).value() ==
                false); // no dialog answer: nothing saved
    runDialog([&](QDialog& dialog) {
        Control<QCheckBox>(dialog, "CheckBox_ShowAxis_Overall_Rainfall")->click();
        Control<QCheckBox>(dialog, "CheckBox_ShowAxis_Rainfall_Intensity")->click();
        EXPECT_FALSE(barsShown());
        EXPECT_FALSE(lineShown());
        EXPECT_FALSE(find<QCheckBox>("CheckBox_Overall_Rainfall")->isChecked());
        Press(dialog, "Button_Cancle");
    });
    EXPECT_TRUE(barsShown());
    EXPECT_TRUE(lineShown());
    EXPECT_TRUE(find<QCheckBox>("CheckBox_Overall_Rainfall")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("CheckBox_Rainfall_Intensity")->isChecked());
    EXPECT_TRUE(find<QAction>("menu_Rainfall_Intensity")->isChecked());
    EXPECT_EQ(fileBytes(), "<none>");
}

TEST_F(OptionsDialog, DecimalsUnitAndCalculationArePreviewedAndSavedOnOk) {
    writeOptions("; mine\r\n[OPTIONS]\r\nPrecision=4\r\n[Other]\r\nKey=Value\r\n");
    start();
    runDialog([this](QDialog& dialog) {
        Control<QSpinBox>(dialog, "SpinEdit_Precision")->setValue(2);
        Control<QComboBox>(dialog, "ComboBox_StormUnit")->setCurrentIndex(0);
        Control<QCheckBox>(dialog, "CheckBox_CalcByShow")->click();
        EXPECT_EQ(cell(49, 1), "201.60");
        EXPECT_EQ(chart().yAxis->label(), QStringLiteral("降雨强度(mm/h)"));
        Press(dialog, "Button_OK");
    });
    EXPECT_EQ(cell(49, 1), "201.60");
    EXPECT_EQ(session->options().Int_Precision, 2);
    EXPECT_TRUE(session->options().Bool_CalcByShow);
    EXPECT_TRUE(fileBytes().startsWith("; mine\r\n[OPTIONS]\r\nPrecision=2\r\n"));
    EXPECT_TRUE(fileBytes().endsWith("[Other]\r\nKey=Value\r\n"));
}

TEST_F(OptionsDialog, IntervalAverageIsPreviewedAndSavedOnOk) {
    start();
    changeStorm([](TExpressionObject& storm) { storm.Storm_Step = 5; });
    const QString minute45 = cell(10, 1);
    runDialog([this](QDialog& dialog) {
        auto* box = Control<QCheckBox>(dialog, "CheckBox_IntervalAverage");
        EXPECT_EQ(box->text(), QStringLiteral("按时段平均强度"));
        EXPECT_FALSE(box->isChecked());
        box->click();
        EXPECT_EQ(cell(25, 0), "120"); // at once
        Press(dialog, "Button_OK");
    });
    EXPECT_TRUE(session->options().Bool_IntervalAverage);
    EXPECT_TRUE(fileBytes().endsWith("IntervalAverage=1\r\nReportIdfCheck=0\r\n"))
        << fileBytes().toStdString();
    EXPECT_EQ(cell(10, 0), "45");
    EXPECT_NE(cell(10, 1), minute45); // minutes 45 to 49, the peak among them
    EXPECT_EQ(cell(25, 0), "120");
    EXPECT_EQ(cell(25, 2), "60.6345"); // the last row holds the total
    // The mean of the 25 rows, which stand for 125 minutes.
    EXPECT_EQ(infoLabels()[4]->text(), QStringLiteral("平均雨强i=0.4851mm/min"));
}

// The report's check is chosen in 设置; the same check is shown from 数据 at
// any time, for the storm as it is, and copied for a spreadsheet.
TEST_F(OptionsDialog, TheCheckAgainstTheFormulaIsShownCopiedAndChosenForTheReport) {
    start();
    changeStorm(
        [](TExpressionObject& storm) { storm.Storm_Step = 5; }); // the table's step changes nothing
    desktop.dialogScripts.push_back([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("雨型校核"));
        Press(dialog, "Button_Copy");
        dialog.reject();
    });
    window->findChild<QAction*>(QStringLiteral("Menu_IdfCheck"))->trigger();
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(copied.size(), 11); // the header, nine durations, the empty end
    EXPECT_EQ(copied[0], QStringLiteral("历时(min)\t雨型最大雨量(mm)\t公式雨量(mm)\t相差(%)"));
    EXPECT_EQ(copied[1], QStringLiteral("5\t11.9535\t11.7962\t1.33"));
    EXPECT_TRUE(desktop.messages.empty());

    runDialog([](QDialog& dialog) {
        auto* box = Control<QCheckBox>(dialog, "CheckBox_ReportIdfCheck");
        EXPECT_EQ(box->text(), QStringLiteral("计算书附雨型校核"));
        EXPECT_FALSE(box->isChecked());
        box->click();
        Press(dialog, "Button_OK");
    });
    EXPECT_TRUE(session->options().Bool_ReportIdfCheck);
    EXPECT_TRUE(fileBytes().endsWith("ReportIdfCheck=1\r\n")) << fileBytes().toStdString();
}

TEST_F(OptionsDialog, TheFontDialogOpensOnTheRowsFontAndKeepsWhatWasNotTouched) {
    const struct {
        const char* name;
        const char* stored; // Font_RainModelInfo before
        std::function<void(QFont&)> edit;
        const char* saved; // and after 确定
        bool styleShown;   // false: the installed face has no such style
    } cases[] = {
        {"size only", "\"Arial\", 9, [Bold], [clWindowText]", [](QFont& f) { f.setPointSize(12); },
         "\"Arial\", 12, [Bold], [clWindowText]", true},
        {"nothing", "\"Arial\", 9, [Bold], [clWindowText]", [](QFont&) {},
         "\"Arial\", 9, [Bold], [clWindowText]", true},
        {"italic added", "\"Arial\", 9, [Bold], [clRed]",
         [](QFont& f) { f.setStyleName(QStringLiteral("Bold Italic")); },
         "\"Arial\", 9, [Bold|Italic], [clRed]", true},
        {"plain", "\"Arial\", 10, [], [clBlack]", [](QFont& f) { f.setPointSize(11); },
         "\"Arial\", 11, [], [clBlack]", true},
        {"underline off, a face without bold", "\"宋体\", 12, [Bold|Underline], [$00808080]",
         [](QFont& f) { f.setUnderline(false); }, "\"宋体\", 12, [Bold], [clGray]", false},
        {"another face", "\"Arial\", 10, [], [clBlack]",
         [](QFont& f) {
             f.setFamily(QStringLiteral("DejaVu Serif"));
             f.setStyleName(QStringLiteral("Book"));
         },
         "\"DejaVu Serif\", 10, [], [clBlack]", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeOptions(QByteArray("[OPTIONS]\nFont_RainModelInfo=") + c.stored + "\n");
        start();
        desktop.fontDialog = [&](const QFont& font,
                                 const QColor& color) -> std::optional<ChosenFont> {
            FontAndColorDialog dialog(font, color);
            auto* chooser = dialog.findChild<QFontDialog*>();
            QFont shown = chooser->currentFont();
            EXPECT_EQ(shown.family(), QFontInfo(font).family());
            EXPECT_EQ(shown.pointSize(), font.pointSize());
            if (c.styleShown) {
                EXPECT_EQ(shown.bold(), font.bold());
                EXPECT_EQ(shown.italic(), font.italic());
            }
            EXPECT_EQ(shown.underline(), font.underline());
            EXPECT_EQ(dialog.chosenColor(), color);
            c.edit(shown);
            chooser->setCurrentFont(shown);
            return ChosenFont{dialog.chosenFont(), dialog.chosenColor()};
        };
        runDialog([&](QDialog& dialog) {
            dialog.findChild<QPushButton*>(QStringLiteral("btn_SelectFont7"))->click();
            Press(dialog, "Button_OK");
        });
        EXPECT_TRUE(fileBytes().contains(QByteArray("Font_RainModelInfo=") + c.saved + "\n"))
            << fileBytes().toStdString();
        window.reset();
        session.reset();
    }
}

// Each font preview holds its sample whole up to 16 points, bold and italic,
// within its group.
TEST_F(OptionsDialog, AFontPreviewHoldsItsSampleWholeAtSixteenPointsItalic) {
    writeOptions("[OPTIONS]\nFont_LeftAxis=\"宋体\", 16, [Bold|Italic], [clBlack]\n"
                 "Font_RainModelInfo=\"Arial\", 16, [Bold|Italic], [clBlack]\n");
    start();
    runDialog([](QDialog& dialog) {
        for (const char* name : {"lbl_LeftAxisFont", "lbl_RainModelInfoFont"}) {
            SCOPED_TRACE(name);
            auto* preview = Control<QLabel>(dialog, name);
            EXPECT_EQ(preview->text(), QStringLiteral("示例ABC123"));
            EXPECT_EQ(preview->font().pointSize(), 16);
            EXPECT_TRUE(preview->font().italic());
            const QSize needed = preview->sizeHint();
            EXPECT_LE(needed.width(), preview->width());
            EXPECT_LE(needed.height(), preview->height());
            EXPECT_TRUE(preview->parentWidget()->rect().contains(preview->geometry()));
        }
        Press(dialog, "Button_Cancle");
    });
}
