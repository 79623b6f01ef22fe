#include "application_setup.h"
#include "foreign_text.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "main_window.h"
#include "main_window_fixture.h"
#include "qt_desktop.h"
#include "result_grid.h"
#include "scripted_desktop.h"
#include "test_files.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace velmora;
using velmora::testing::Contents;
using velmora::testing::ScriptedDesktop;

namespace {

class MainWindow : public velmora::testing::MainWindowFixture {
protected:
    QString header(int column) const {
        return grid().gridModel().headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QString labelText(int index) const { return infoLabels()[index]->text(); }
};

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QPointF LinePointPixel(HyetographChart& chart, int index) {
    chart.replot();
    const double value = chart.graph(0)->data()->at(index)->value;
    return {chart.xAxis->coordToPixel(index), chart.yAxis->coordToPixel(value)};
}

// Whether the red frame is drawn around `gridRow`: the middle of its top edge.
bool RowFramed(ResultGrid& grid, int gridRow) {
    const QRect cell = grid.visualRect(grid.gridModel().index(gridRow - 1, 1));
    const QImage shown = grid.viewport()->grab().toImage();
    return shown.pixelColor(cell.center().x(), cell.top() + 1) == QColor(255, 0, 0);
}

} // namespace

TEST_F(MainWindow, StartsWithTheDefaultStormComputedAndShown) {
    start();
    EXPECT_TRUE(QDir(base.filePath(QStringLiteral("Kestrova/Quorvel"))).exists());
    EXPECT_EQ(session->optionsFileName(), optionsPath());
    EXPECT_FALSE(QFile::exists(optionsPath())); // starting writes nothing
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Velmora Ver2.11（https://www.example.com）"));
    EXPECT_TRUE(desktop.messages.empty());

    ASSERT_EQ(grid().gridModel().rowCount(), 121);
    EXPECT_EQ(header(0), QStringLiteral("时间"));
    EXPECT_EQ(header(1), QStringLiteral("降雨强度mm/min"));
    EXPECT_EQ(header(2), QStringLiteral("降雨总量mm"));
    EXPECT_EQ(cell(1, 0), "00");
    EXPECT_EQ(cell(1, 1), "0.1908");
    EXPECT_EQ(cell(1, 2), "0.1908");
    EXPECT_EQ(cell(49, 0), "48");
    EXPECT_EQ(cell(49, 1), "3.3599");
    EXPECT_EQ(cell(49, 2), "25.9954");
    EXPECT_EQ(cell(121, 0), "120");
    EXPECT_EQ(cell(121, 2), "60.6345");
    EXPECT_EQ(grid().columnWidth(0), 40);
    EXPECT_GE(grid().columnWidth(1), 98); // as wide as its header "降雨强度mm/min"
    EXPECT_GE(grid().columnWidth(1),
              grid().horizontalHeader()->fontMetrics().horizontalAdvance(header(1)));
    EXPECT_GE(grid().columnWidth(2), 78);

    EXPECT_EQ(labelText(0), QStringLiteral("重现期  P=2年"));
    EXPECT_EQ(labelText(1), QStringLiteral("降雨历时t=120min"));
    EXPECT_EQ(labelText(2), QStringLiteral("峰值比例r=0.4"));
    EXPECT_EQ(labelText(3), QStringLiteral("降雨总量H=60.6345mm"));
    EXPECT_EQ(labelText(4), QStringLiteral("平均雨强i=0.5011mm/min"));
    for (InfoLabel* label : infoLabels())
        EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(chart().pointCount(), 121);
    EXPECT_EQ(chart().yAxis->label(), QStringLiteral("降雨强度(mm/min)"));
    EXPECT_EQ(chart().xAxis->label(), QStringLiteral("降雨历时(min)"));
    EXPECT_EQ(chart().xAxis->tickLabelRotation(), 0);
    chart().replot();
    EXPECT_EQ(chart().xAxis->tickVectorLabels().constLast(), QStringLiteral("120")); // the end
}

// A taskbar finds the menu entry by the desktop file's name and by the window
// class (the application's name on X11), and shows the window's own icon.
TEST_F(MainWindow, TheWindowNamesItsMenuEntryAndCarriesTheIcon) {
    start();
    QFile entry(QStringLiteral(VELMORA_DESKTOP_FOLDER "/%1.desktop")
                    .arg(QGuiApplication::desktopFileName()));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << entry.fileName().toStdString();
    const QString text = QString::fromUtf8(entry.readAll());
    EXPECT_TRUE(text.contains(
        QStringLiteral("\nStartupWMClass=%1\n").arg(QCoreApplication::applicationName())));
    const QList<QSize> sizes = window->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(256, 256)));
}

TEST_F(MainWindow, HoursAndMinutesPerHourWithTwoDecimalsFromTheOptionsFile) {
    writeOptions("[OPTIONS]\nStormUnit=0\nPrecision=2\nTimeFormat=0\nShowLabel_T=0\n");
    start();
    EXPECT_EQ(header(1), QStringLiteral("降雨强度mm/h"));
    EXPECT_EQ(cell(49, 0), "00:48");
    EXPECT_EQ(cell(49, 1), "201.60");
    EXPECT_EQ(cell(121, 0), "02:00");
    EXPECT_EQ(labelText(4), QStringLiteral("平均雨强i=30.07mm/h"));
    EXPECT_EQ(chart().yAxis->label(), QStringLiteral("降雨强度(mm/h)"));
    EXPECT_EQ(chart().xAxis->tickLabelRotation(), 90);
    EXPECT_FALSE(infoLabels()[1]->isVisible());
}

TEST_F(MainWindow, SaysOnceAtStartThatAnUnreadableOptionsFileLeftTheDefaults) {
    writeOptions("[OPTIONS]\nPrecision=2\n" + QByteArray(1 << 20, ';'));
    start();
    EXPECT_EQ(cell(49, 1), "3.3599"); // the defaults' 4 decimals
    ASSERT_TRUE(QTest::qWaitFor([this] { return !desktop.messages.empty(); }, 5000));
    QTest::qWait(50);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Information);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("无法读取设置文件，本次使用默认设置：\r\n无法打开文件“%1”：文件超过了"
                             "1048576字节，不是本程序的文件")
                  .arg(optionsPath()));
}

TEST_F(MainWindow, ColumnsShowWholeTextsAndKeepAWidthTheUserSet) {
    writeOptions("[OPTIONS]\nStormUnit=0\nPrecision=2\nTimeFormat=0\n");
    start();
    changeStorm([](TExpressionObject& storm) { storm.Storm_Time = 1500; });
    const QFontMetrics metrics(grid().font());
    EXPECT_EQ(cell(1501, 0), "25:00");
    EXPECT_GT(grid().columnWidth(0), metrics.horizontalAdvance(cell(1501, 0)));
    EXPECT_GT(grid().columnWidth(1), metrics.horizontalAdvance(cell(721, 1))); // the peak

    grid().setColumnWidth(2, 150);
    window->RefreshHyetograph();
    EXPECT_EQ(grid().columnWidth(2), 150);
    changeOptions([](TOptions& options) { options.Int_Precision = 4; });
    EXPECT_LT(grid().columnWidth(2), 150);
}

TEST_F(MainWindow, TheTableIsCopiedAsShownForASpreadsheet) {
    writeOptions("[OPTIONS]\nStormUnit=0\nPrecision=2\nTimeFormat=0\n");
    start();
    QGuiApplication::clipboard()->clear();
    find<QAction>("MenuCopyAllData")->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 123); // header, 121 rows, the empty rest after the last line end
    EXPECT_EQ(lines[0], QStringLiteral("时间\t降雨强度mm/h\t降雨总量mm"));
    for (const int row : {1, 49, 121})
        EXPECT_EQ(lines[row].split(QLatin1Char('\t')),
                  (QStringList{cell(row, 0), cell(row, 1), cell(row, 2)}))
            << row;

    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&grid(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().split(QLatin1Char('\n')), lines);
}

TEST_F(MainWindow, ThePointUnderThePointerShowsItsValues) {
    start();
    SendMouse(&chart(), QEvent::MouseMove, LinePointPixel(chart(), 48), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(chart().toolTip(),
              QStringLiteral("时间：48\n降雨强度mm/min：3.3599\n降雨总量mm：25.9954"));
    SendMouse(&chart(), QEvent::MouseMove, {3, 3}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(chart().toolTip(), QString());
}

TEST_F(MainWindow, PlaceSizeWidthsAndFoldersSurviveARestart) {
    writeOptions("[OPTIONS]\r\nPrecision=4\r\n[MINE]\r\nkept=yes\r\n");
    start();
    window->setGeometry(60, 50, 900, 600);
    auto* splitter = find<QSplitter>("Splitter1");
    splitter->setSizes({600, 300});
    grid().setColumnWidth(1, 130);
    QTemporaryDir exports;
    desktop.saveAnswers.push_back(FileDialogAnswer{exports.filePath(QStringLiteral("t.csv")), 0});
    find<QAction>("MenuSaveDataToExcel")->trigger();
    window->close();

    window.reset();
    start();
    EXPECT_EQ(window->geometry(), QRect(60, 50, 900, 600));
    EXPECT_EQ(find<QSplitter>("Splitter1")->sizes().value(1), 300);
    EXPECT_EQ(grid().columnWidth(1), 130);
    desktop.saveAnswers.push_back(std::nullopt);
    find<QAction>("MenuSaveDataToSWMM")->trigger();
    EXPECT_EQ(desktop.fileDialogs.back().folder, exports.path());
    EXPECT_TRUE(Contents(optionsPath())
                    .startsWith("[OPTIONS]\r\nPrecision=4\r\n[MINE]\r\nkept=yes\r\n[WINDOW]\r\n"));
}

TEST_F(MainWindow, RemembersWhatTheOptionsFileHeldWhenTheSessionReadIt) {
    writeOptions("[WINDOW]\r\nColumn2=130\r\n");
    session = std::make_unique<StormSession>(OptionsFileIn(base.path()));
    writeOptions("[WINDOW]\r\nColumn2=150\r\n"); // the file is read once, by the session
    window = std::make_unique<TFormQuorvel>(*session, desktop);
    EXPECT_EQ(grid().columnWidth(1), 130);
}

// Counts the paints of the widget it watches.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(AfterFirstPaint, RunsOnceAfterThePaintOrAfterAWhileUnpainted) {
    for (const bool shown : {true, false}) {
        QWidget window;
        window.resize(100, 100);
        PaintCounter counter;
        window.installEventFilter(&counter);
        int runs = 0, paintsBeforeRun = -1;
        AfterFirstPaint(window, [&] { paintsBeforeRun = counter.paints, ++runs; });
        QCoreApplication::processEvents();
        EXPECT_EQ(runs, 0);
        if (shown)
            window.show();
        EXPECT_TRUE(QTest::qWaitFor([&runs] { return runs == 1; }, 5000));
        EXPECT_EQ(paintsBeforeRun > 0, shown);
        window.repaint();
        QTest::qWait(1200); // past the wait for an unpainted window
        EXPECT_EQ(runs, 1);
    }
}

TEST_F(MainWindow, AxisMaximaFollowTheShownSeries) {
    start();
    const double intensity = session->maxRainfallIntensity();
    const double rainfall = session->maxOverallRainfall();
    EXPECT_NEAR(intensity, 3.3599355465, 1e-9);
    EXPECT_NEAR(rainfall, 60.6344734011, 1e-9);
    EXPECT_DOUBLE_EQ(leftAxisTop(), 2 * intensity);
    const double rightForBoth = rightAxisTop();
    EXPECT_GT(rightForBoth, 2 * rainfall);

    find<QCheckBox>("CheckBox_Overall_Rainfall")->click(); // bars off
    EXPECT_FALSE(barsShown());
    EXPECT_DOUBLE_EQ(leftAxisTop(), 1.1 * intensity);

    find<QCheckBox>("CheckBox_Overall_Rainfall")->click(); // bars on again
    find<QAction>("menu_Rainfall_Intensity")->trigger();   // line off
    EXPECT_FALSE(lineShown());
    EXPECT_NEAR(rightAxisTop() / rightForBoth, 1.1 / 2, 1e-12);
    const double left = leftAxisTop();
    const double right = rightAxisTop();

    find<QAction>("menu_Overall_Rainfall")->trigger(); // neither
    EXPECT_FALSE(barsShown());
    EXPECT_DOUBLE_EQ(leftAxisTop(), left);
    EXPECT_DOUBLE_EQ(rightAxisTop(), right);
}

// A series switched off keeps an axis that reads the storm's values.
TEST_F(MainWindow, AHiddenSeriesKeepsTheStormsAxisFromTheStart) {
    writeOptions("[OPTIONS]\nShowAxis_Intensity=0\n");
    start();
    EXPECT_FALSE(lineShown());
    EXPECT_DOUBLE_EQ(leftAxisTop(), 1.1 * session->maxRainfallIntensity());

    window.reset();
    session.reset();
    writeOptions("[OPTIONS]\nShowAxis_Overall=0\n");
    start();
    EXPECT_FALSE(barsShown());
    chart().replot();
    EXPECT_GT(rightAxisTop(), 1.1 * session->maxOverallRainfall());
    EXPECT_LT(rightAxisTop(), 1.3 * session->maxOverallRainfall());
}

TEST_F(MainWindow, ComparedStormsShareTheTimeAxisAndTheLegendUntilCleared) {
    start();
    const auto button = [this](const char* name) { find<QAbstractButton>(name)->click(); };
    changeStorm([](TExpressionObject& storm) { storm.Storm_Time = 180; });
    button("Button_AddToComparison");
    // A shorter, heavier storm at step 5 shown: the axis goes on at its step to the 180th minute.
    changeStorm([](TExpressionObject& storm) {
        storm.Storm_Time = 60;
        storm.Storm_Step = 5;
        storm.Storm_RepeatYear = 0.5;
    });
    ASSERT_EQ(chart().comparedLineCount(), 1);
    // The storm shown comes first in the legend, in its own colour.
    EXPECT_EQ(chart().legendTexts(), (QStringList{QStringLiteral("当前雨型 P=0.5年 T=60分 r=0.4"),
                                                  QStringLiteral("P=2年 T=180分 r=0.4")}));
    EXPECT_TRUE(chart().legend->visible());
    EXPECT_DOUBLE_EQ(chart().xAxis->range().upper, 180 / 5 + 0.5);
    // The compared storm is the heavier one here: the left axis makes room for it.
    EXPECT_DOUBLE_EQ(leftAxisTop(),
                     2 * MaxComparedIntensity(session->comparison(), MillimetresPerMinute));
    // Its minutes fall between the slots of 5 minutes each, its last on slot 36.
    QCPGraph* compared = chart().graph(chart().graphCount() - 1);
    EXPECT_EQ(compared->name(), QStringLiteral("P=2年 T=180分 r=0.4"));
    EXPECT_DOUBLE_EQ(compared->data()->at(7)->key, 7.0 / 5);
    EXPECT_DOUBLE_EQ(compared->data()->at(180)->key, 36);

    button("Button_AddToComparison");
    button("Button_AddToComparison"); // the same storm again: said, and kept once
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("提示"));
    EXPECT_EQ(desktop.messages[0].text, QStringLiteral("当前雨型已经在对比中"));
    EXPECT_EQ(chart().comparedLineCount(), 2);
    // The same P, T and r at another step: the legends tell the two apart.
    changeStorm([](TExpressionObject& storm) { storm.Storm_Step = 1; });
    button("Button_AddToComparison");
    EXPECT_EQ(chart().legendTexts().mid(2),
              (QStringList{QStringLiteral("P=0.5年 T=60分 r=0.4 步长5分"),
                           QStringLiteral("P=0.5年 T=60分 r=0.4 步长1分")}));
    for (int added = 3; added < 8; ++added) {
        changeStorm([added](TExpressionObject& storm) { storm.Storm_RepeatYear = added; });
        button("Button_AddToComparison");
    }
    EXPECT_EQ(chart().comparedLineCount(), 8);
    EXPECT_EQ(chart().legendTexts().size(), 9);
    changeStorm([](TExpressionObject& storm) { storm.Storm_RepeatYear = 100; });
    button("Button_AddToComparison"); // a ninth
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text, QStringLiteral("已经有8个雨型在对比中：请先清除对比"));
    EXPECT_EQ(session->comparison().size(), 8u);

    // Eight storms go only when the person says so.
    desktop.yesNoAnswers = {false, true};
    button("Button_ClearComparison");
    ASSERT_EQ(desktop.messages.size(), 3u);
    EXPECT_EQ(desktop.messages[2].kind, ScriptedDesktop::Message::Question);
    EXPECT_EQ(desktop.messages[2].title, QStringLiteral("提示"));
    EXPECT_EQ(desktop.messages[2].text, QStringLiteral("要清除对比中的8个雨型吗？"));
    EXPECT_EQ(chart().comparedLineCount(), 8);
    button("Button_ClearComparison");
    EXPECT_EQ(chart().comparedLineCount(), 0);
    EXPECT_FALSE(chart().legend->visible());
    EXPECT_TRUE(chart().legendTexts().isEmpty());
    // One storm goes without a question.
    button("Button_AddToComparison");
    button("Button_ClearComparison");
    EXPECT_TRUE(session->comparison().empty());
    find<QAction>("Menu_SaveComparisonCsv")->trigger(); // nothing to save: said, nothing asked
    ASSERT_EQ(desktop.messages.size(), 5u);
    EXPECT_EQ(desktop.messages[4].text, EmptyComparisonMessage);
}

TEST_F(MainWindow, SeriesSwitchesFollowEachOtherAndAreSavedAtOnce) {
    start();
    auto* box = find<QCheckBox>("CheckBox_Rainfall_Intensity");
    auto* item = find<QAction>("menu_Rainfall_Intensity");

    item->trigger(); // from the context menu
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(lineShown());
    const QByteArray saved = Contents(optionsPath());
    EXPECT_TRUE(saved.contains("ShowAxis_Intensity=0\r\n"));
    EXPECT_TRUE(saved.contains("ShowAxis_Overall=1\r\n"));

    // Nothing changed since: a refresh does not write the file again.
    ASSERT_TRUE(QFile::remove(optionsPath()));
    window->RefreshHyetograph();
    EXPECT_FALSE(QFile::exists(optionsPath()));

    box->click(); // from the check box
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(lineShown());
    EXPECT_TRUE(QFile::exists(optionsPath()));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(MainWindow, SwitchingWithoutATableWritesNothing) {
    start();
    failComputation();
    const double left = leftAxisTop();
    const double right = rightAxisTop();
    find<QCheckBox>("CheckBox_Overall_Rainfall")->click();
    EXPECT_FALSE(barsShown());
    EXPECT_FALSE(find<QAction>("menu_Overall_Rainfall")->isChecked());
    EXPECT_DOUBLE_EQ(leftAxisTop(), left);
    EXPECT_DOUBLE_EQ(rightAxisTop(), right);
    EXPECT_FALSE(QFile::exists(optionsPath()));
}

TEST_F(MainWindow, AFailedComputationEmptiesGridAndChartAndSaysWhy) {
    start();
    failComputation();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].kind, ScriptedDesktop::Message::Error);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("错误"));
    EXPECT_TRUE(desktop.messages[0].text.startsWith(QStringLiteral("出错：")));
    EXPECT_TRUE(session->table().empty());
    EXPECT_EQ(grid().gridModel().rowCount(), 0);
    EXPECT_EQ(chart().pointCount(), 0);
    EXPECT_EQ(session->storm().Strom_Overall_Rainfall, 0.0);
    EXPECT_EQ(session->storm().Strom_Average_Rainfall_Intensity, 0.0);
    EXPECT_EQ(labelText(3), QStringLiteral("降雨总量H=0.0000mm"));

    changeOptions([](TOptions& options) { options.Int_StormUnitidx = MillimetresPerMinute; });
    EXPECT_EQ(grid().gridModel().rowCount(), 121);
}

TEST_F(MainWindow, SelectingAGridRowHighlightsItsPoints) {
    start();
    ResultGrid& grid = this->grid();
    HyetographChart& chart = this->chart();
    grid.setCurrentGridRow(5);
    EXPECT_EQ(chart.highlightedLinePoint(), 4);
    EXPECT_EQ(chart.highlightedBarPoint(), 4);

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.currentGridRow(), 6);
    EXPECT_EQ(chart.highlightedBarPoint(), 5);

    // The header row selects nothing.
    QTest::mouseClick(grid.horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid.columnWidth(0) + 5, 5));
    EXPECT_EQ(grid.currentGridRow(), 6);
    EXPECT_EQ(chart.highlightedLinePoint(), 5);

    const QRect row10 = grid.visualRect(grid.gridModel().index(9, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, row10.center());
    EXPECT_EQ(grid.currentGridRow(), 10);
    EXPECT_EQ(chart.highlightedLinePoint(), 9);
}

TEST_F(MainWindow, PointingAtALinePointSelectsAndFramesItsRow) {
    start();
    HyetographChart& chart = this->chart();
    ResultGrid& grid = this->grid();

    SendMouse(&chart, QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(grid.currentGridRow(), 0);
    EXPECT_FALSE(RowFramed(grid, 49));

    SendMouse(&chart, QEvent::MouseMove, LinePointPixel(chart, 48), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(grid.currentGridRow(), 49);
    EXPECT_TRUE(RowFramed(grid, 49));
    EXPECT_EQ(chart.highlightedBarPoint(), 48);

    // Off the line the bar keeps its highlight, so the row stays current and framed.
    SendMouse(&chart, QEvent::MouseMove, {2, 2}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(chart.highlightedLinePoint(), -1);
    EXPECT_EQ(grid.currentGridRow(), 49);
    EXPECT_TRUE(RowFramed(grid, 49));

    const QPointF point20 = LinePointPixel(chart, 20);
    SendMouse(&chart, QEvent::MouseButtonPress, point20, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&chart, QEvent::MouseButtonRelease, point20, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(grid.currentGridRow(), 21);
}

// Drawing the chart is most of a refresh: each change draws it once, however
// many of its parts asked for a drawing on the way.
TEST_F(MainWindow, TheChartIsDrawnOncePerChange) {
    session = std::make_unique<StormSession>(OptionsFileIn(base.path()));
    window = std::make_unique<TFormQuorvel>(*session, desktop);
    int drawings = 0;
    QObject::connect(&chart(), &QCustomPlot::afterReplot, [&drawings] { ++drawings; });
    const auto drawingsFor = [&drawings](const auto& change) {
        drawings = 0;
        change();
        QCoreApplication::processEvents();
        return drawings;
    };
    EXPECT_EQ(drawingsFor([this] { window->show(); }), 1);
    EXPECT_EQ(drawingsFor([this] { window->RefreshHyetograph(); }), 1);
    EXPECT_EQ(drawingsFor([this] { find<QCheckBox>("CheckBox_Overall_Rainfall")->click(); }), 1);
}

TEST_F(MainWindow, TheBottomLabelsFollowTheChartsWidthAtOnce) {
    start();
    for (const int width : {260, 900, 400}) {
        chart().resize(width, 400); // the chart redraws itself for its new size
        const int step = labelStep();
        chart().replot(); // a second drawing finds nothing left to correct
        EXPECT_EQ(labelStep(), step) << width;
    }
}

TEST_F(MainWindow, ADraggedLabelKeepsItsPlace) {
    start();
    InfoLabel* label = infoLabels()[0];
    EXPECT_EQ(label->pos(), QPoint(100, 96));
    SendMouse(label, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(label, QEvent::MouseMove, {45, 25}, Qt::NoButton, Qt::LeftButton);
    SendMouse(label, QEvent::MouseButtonRelease, {45, 25}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(label->pos(), QPoint(140, 116));

    // Moving without the left button held does not drag.
    SendMouse(label, QEvent::MouseMove, {60, 60}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(label->pos(), QPoint(140, 116));

    window->resize(1000, 700);
    QCoreApplication::processEvents();
    window->RefreshHyetograph();
    EXPECT_EQ(label->pos(), QPoint(140, 116));
    EXPECT_EQ(infoLabels()[1]->pos(), QPoint(100, 118));

    // Dragged past the edge it stays whole on the chart, and a chart made
    // smaller keeps it in sight; made larger again, it goes back.
    SendMouse(label, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(label, QEvent::MouseMove, {-500, -500}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(label->pos(), QPoint(0, 0));
    InfoLabel* last = infoLabels()[4];
    const QSize large = chart().size();
    SendMouse(last, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(last, QEvent::MouseMove, {2000, 2000}, Qt::NoButton, Qt::LeftButton);
    const QPoint kept = last->pos();
    EXPECT_EQ(last->geometry().bottomRight(), QPoint(large.width() - 1, large.height() - 1));
    chart().resize(chart().minimumSize());
    EXPECT_EQ(last->geometry().right(), chart().minimumWidth() - 1);
    EXPECT_EQ(last->geometry().bottom(), chart().minimumHeight() - 1);
    chart().resize(large);
    EXPECT_EQ(last->pos(), kept);
}

TEST_F(MainWindow, LabelsPushedInByASmallWindowGoBackWhenItGrows) {
    start();
    window->resize(1000, 700);
    QCoreApplication::processEvents();
    const std::array<InfoLabel*, 5> labels = infoLabels();
    // Each label dragged near the right edge, one under the other.
    std::vector<QPoint> placed;
    for (InfoLabel* label : labels) {
        const QPoint target(chart().width() - label->width() - 4, label->y());
        SendMouse(label, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
        SendMouse(label, QEvent::MouseMove, QPointF(target - label->pos() + QPoint(1, 1)),
                  Qt::NoButton, Qt::LeftButton);
        SendMouse(label, QEvent::MouseButtonRelease, QPointF(target - label->pos() + QPoint(1, 1)),
                  Qt::LeftButton, Qt::NoButton);
        placed.push_back(label->pos());
        ASSERT_EQ(label->pos(), target);
    }
    for (const QSize size : {QSize(400, 300), QSize(1000, 700), QSize(1, 1), QSize(1000, 700)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        const bool large = size.width() == 1000;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_TRUE(chart().rect().contains(labels[i]->geometry()))
                << size.width() << " label " << i;
            if (large) {
                EXPECT_EQ(labels[i]->pos(), placed[i]) << "label " << i;
            }
        }
    }
}

TEST_F(MainWindow, AtItsSmallestSizeEveryControlIsWhole) {
    start();
    window->resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_GT(window->width(), 400);
    EXPECT_GT(window->height(), 250);
    EXPECT_GE(chart().width(), 320);
    EXPECT_GE(chart().height(), 280);
    // The grid's three columns at their classic widths and three rows.
    EXPECT_GE(grid().viewport()->width(), 40 + 98 + 78);
    EXPECT_GE(grid().viewport()->height(), 3 * 22);
    for (QAbstractButton* control : window->findChildren<QAbstractButton*>()) {
        if (!control->isVisible())
            continue;
        SCOPED_TRACE(control->text().toStdString());
        // Not hidden behind the edge of the panel or the window.
        EXPECT_EQ(control->visibleRegion().boundingRect(), control->rect());
        const int caption = control->fontMetrics().horizontalAdvance(control->text());
        if (qobject_cast<QCheckBox*>(control))
            EXPECT_GE(control->width(), control->sizeHint().width());
        else
            EXPECT_LT(caption, control->width());
    }
    for (InfoLabel* label : infoLabels())
        EXPECT_TRUE(chart().rect().contains(label->geometry()));
}

TEST_F(MainWindow, MenusHoldEveryItemNamedAndEnabled) {
    start();
    QStringList titles;
    for (QAction* action : window->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("文件(&F)"), QStringLiteral("设置(&O)"),
                                   QStringLiteral("数据(&D)"), QStringLiteral("帮助(&H)")}));
    EXPECT_EQ(find<QAction>("Menu_Save1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(find<QAction>("Menu_AddQQ")->text(), QStringLiteral("加Q群12345678"));
    for (const char* name : {"Menu_Exit",
                             "menu_Overall_Rainfall",
                             "menu_Rainfall_Intensity",
                             "Menu_Options",
                             "Menu_New1",
                             "Menu_Open1",
                             "Menu_Save1",
                             "Menu_SaveAs1",
                             "MenuSaveDataToExcel1",
                             "MenuSaveDataToSWMM1",
                             "MenuSaveDataToExcel",
                             "MenuSaveDataToSWMM",
                             "Menu_SaveBmp1",
                             "Menu_SaveJpg1",
                             "Menu_SavePng1",
                             "Menu_SaveBmp",
                             "Menu_SaveJpg",
                             "Menu_SavePng",
                             "MenuSaveDataToWord1",
                             "MenuSaveDataToWord",
                             "Menu_outputResult",
                             "mni_OutputExcelPicData",
                             "Menu_help1",
                             "Menu_Update",
                             "Menu_AddQQ",
                             "menu_kefu",
                             "Menu_About",
                             "Menu_IdfCheck",
                             "Menu_FormulaFit",
                             "Menu_AddToComparison",
                             "Menu_ClearComparison",
                             "Menu_SaveComparisonCsv"})
        EXPECT_TRUE(find<QAction>(name)->isEnabled()) << name;
    EXPECT_EQ(find<QAction>("Menu_SavePng")->data().toInt(), 3);

    find<QAction>("Menu_Exit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(desktop.messages.empty()); // no question about the unsaved storm
}

TEST_F(MainWindow, FontsComeFromTheFontTexts) {
    writeOptions("[OPTIONS]\nFont_RainModelInfo=\"Courier\", 12, [Italic], [clRed]\n"
                 "Font_BottomAxis=\"Arial\", 11, [Bold], [clBlue]\n");
    start();
    for (InfoLabel* label : infoLabels()) {
        EXPECT_EQ(label->font().pointSize(), 12);
        EXPECT_TRUE(label->font().italic());
        EXPECT_FALSE(label->font().bold());
        EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    }
    EXPECT_EQ(chart().xAxis->tickLabelFont().pointSize(), 11);
    EXPECT_TRUE(chart().xAxis->tickLabelFont().bold());
    EXPECT_EQ(chart().xAxis->tickLabelColor(), QColor(0, 0, 255));
}

TEST_F(MainWindow, TheLongestStormFillsTheGridAndLabelsDoNotOverlap) {
    start();
    changeStorm([](TExpressionObject& storm) { storm.Storm_Time = MaxStormMinutes; });
    EXPECT_EQ(grid().gridModel().rowCount(), MaxStormMinutes + 1);
    EXPECT_EQ(chart().pointCount(), MaxStormMinutes + 1);
    chart().replot();
    const int plotWidth = chart().axisRect()->width();
    ASSERT_GT(plotWidth, 0);
    // Labels stand at least their own width apart.
    const QFontMetrics metrics(chart().xAxis->tickLabelFont());
    const double spacing = double(plotWidth) * labelStep() / (MaxStormMinutes + 1);
    EXPECT_GE(spacing, metrics.horizontalAdvance(QStringLiteral("100000")));
}

TEST_F(MainWindow, CrowdedBarsStillShowTheHighlightedOne) {
    start();
    changeStorm([](TExpressionObject& storm) { storm.Storm_Time = 20000; });
    HyetographChart& chart = this->chart();
    chart.highlightPoint(10000);
    chart.replot();
    ASSERT_LT(chart.xAxis->coordToPixel(1) - chart.xAxis->coordToPixel(0), 0.1);
    const QImage picture = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const THyetographTable& table = session->table();
    // The colours in the columns round the bar, halfway down it.
    const auto coloursAt = [&](int index) {
        const int x = qRound(chart.xAxis->coordToPixel(index));
        const int y = qRound(chart.yAxis2->coordToPixel(table[std::size_t(index)].cumulative / 2));
        QList<QRgb> colours;
        for (int dx = -1; dx <= 1; ++dx)
            colours.append(picture.pixel(x + dx, y) & 0xffffff);
        return colours;
    };
    EXPECT_TRUE(coloursAt(10000).contains(0x000000)) << "the highlighted bar's black edge";
}

TEST(QtDesktopMessages, ShowTheirTextAsPlainTextWithoutControlCharacters) {
    // Laid out as rich text, a few thousand nested tables overflow the stack.
    QString tables;
    for (int i = 0; i < 3000; ++i)
        tables += QStringLiteral("<table><tr><td>");
    const QString link =
        QStringLiteral("<a href=\"file:///etc/x.desktop\">更新</a><img src=file:///etc/passwd>");
    QtDesktop desktop(nullptr);
    for (const QString& text : {tables, link + QStringLiteral("\x1b]0;x\a\x1b[2J")}) {
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                    shown = box->text();
                    format = box->textFormat();
                    box->accept();
                }
        });
        desktop.showError(ErrorTitle, text);
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(shown, WithoutControlCharacters(text));
    }
}

TEST(SessionAndWindow, EitherMayGoFirstWithoutTouchingWhatIsGone) {
    for (const bool sessionFirst : {true, false}) {
        SCOPED_TRACE(sessionFirst ? "the session first" : "the window first");
        ScriptedDesktop desktop;
        auto session = std::make_unique<StormSession>();
        auto window = std::make_unique<TFormQuorvel>(*session, desktop);
        window->show();
        QCoreApplication::processEvents();
        if (sessionFirst) {
            session.reset();
            // The window lets go of the rows and takes no more commands.
            EXPECT_FALSE(window->isVisible());
            window->findChild<ResultGrid*>(QStringLiteral("GridData"))->grab();
            // Every public method and every command of the session's does
            // nothing now, and touches nothing of what is gone (AddressSanitizer
            // would say).
            window->RefreshHyetograph();
            window->ShowHyetographTable();
            EXPECT_TRUE(window->HideSomeSeries(TFormQuorvel::SwitchSender::Menu));
            window->ApplyOptionsToMainWindow();
            window->OpenStormFile(QStringLiteral("/nonexistent/storm.txt"));
            EXPECT_FALSE(*window->SaveRainModel(QStringLiteral("unwritten.txt")));
            window->ChartPicture(QSize(300, 200));
            for (QAction* action : window->findChildren<QAction*>())
                if (!action->objectName().isEmpty() &&
                    !QStringList{"Menu_help1", "Menu_Update", "Menu_AddQQ", "menu_kefu",
                                 "Menu_About", "Menu_Exit"}
                         .contains(action->objectName()))
                    action->trigger();
            EXPECT_TRUE(desktop.messages.empty());
            EXPECT_TRUE(desktop.fileDialogs.empty());
            EXPECT_FALSE(QFile::exists(QStringLiteral("unwritten.txt")));
            window.reset();
        } else {
            window.reset();
            TExpressionObject storm = session->storm();
            storm.Storm_Time = 60;
            EXPECT_TRUE(session->newStorm(storm)); // nothing of the window is called
            session.reset();
        }
    }
}
