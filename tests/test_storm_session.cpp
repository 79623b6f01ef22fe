#include "error_reason.h"
#include "storm_session.h"
#include "test_files.h"

#include "options_file.h"
#include "qstring_printer.h"
#include "storm_file.h"
#include "text_encoding.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

using velmora::testing::Contents;
using velmora::testing::WriteBytes;

class Session : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    QTemporaryDir folder;
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    void put(const QString& file, const QByteArray& bytes) const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

} // namespace

TEST_F(Session, AStormThatCannotBeComputedReplacesNothing) {
    StormSession session;
    QStringList heard;
    QObject::connect(&session, &StormSession::tableAboutToChange,
                     [&] { heard << "about to change"; });
    QObject::connect(&session, &StormSession::tableChanged, [&] {
        heard << QStringLiteral("changed, %1 rows").arg(session.table().size());
    });
    ASSERT_TRUE(session.recompute());
    EXPECT_NEAR(session.maxOverallRainfall(), 60.6344734011, 1e-9);

    session.setCurrentStormFile(path("kept.txt"));
    const QString shown = session.exportText(ExportFormat::Csv);

    TExpressionObject broken = session.storm();
    broken.Storm_Step = 0;
    const Status failed = session.newStorm(broken);
    EXPECT_EQ(ErrorReason(failed), QStringLiteral("计算步长为0，无法按步长取出数据"));
    TExpressionObject outOfRange = DefaultStorm();
    outOfRange.Storm_Percent = 1.5;
    put(path("r.txt"), StormFileBytes(outOfRange, QLatin1Char('.')).value());
    EXPECT_EQ(ErrorReason(session.openStormFile(path("r.txt"))),
              QStringLiteral("峰值比例只能取值(0~1)之间，不包括0和1"));

    EXPECT_EQ(heard, (QStringList{"about to change", "changed, 121 rows"}));
    EXPECT_EQ(session.storm().Storm_Step, 1);
    EXPECT_NEAR(session.storm().Strom_Overall_Rainfall, 60.6344734011, 1e-9);
    EXPECT_EQ(session.exportText(ExportFormat::Csv), shown);
    EXPECT_EQ(session.currentStormFile(), path("kept.txt"));
}

TEST_F(Session, OnlyAStormReadWholeReplacesTheCurrentOne) {
    StormSession session;
    TExpressionObject day = DefaultStorm();
    day.Storm_Time = 1440;
    put(path("day.txt"), StormFileBytes(day, QLatin1Char('.')).value());
    put(path("bad.txt"), "SIGN=something else\r\n");

    const Status wrong = session.openStormFile(path("bad.txt"));
    EXPECT_EQ(wrong.message(), QStringLiteral("该文件不包含正确的数据格式，请确认后重试~"));
    EXPECT_EQ(session.storm().Storm_Time, 120.0);
    EXPECT_TRUE(session.currentStormFile().isEmpty());

    ASSERT_TRUE(session.openStormFile(path("day.txt")));
    EXPECT_EQ(session.table().size(), 1441u);
    EXPECT_EQ(session.currentStormFile(), path("day.txt"));
    ASSERT_TRUE(session.newStorm(DefaultStorm()));
    EXPECT_TRUE(session.currentStormFile().isEmpty()); // the next save asks for a name
}

TEST_F(Session, TheSwmmSwitchHoldsForThisRunOnlyAndTheExportsAreTheGoldenFiles) {
    put(path("options.ini"), "[OPTIONS]\r\nTimeFormat=1\r\nStormUnit=1\r\n");
    StormSession session(path("options.ini"));
    ASSERT_TRUE(session.recompute());
    EXPECT_EQ(session.exportBytes(ExportFormat::Csv).value(),
              Contents(QStringLiteral(VELMORA_TEST_DATA "/default_storm.csv")));
    EXPECT_FALSE(session.usesSwmmUnits());
    ASSERT_TRUE(session.switchToSwmmUnits());
    EXPECT_TRUE(session.usesSwmmUnits());
    EXPECT_EQ(session.exportBytes(ExportFormat::Swmm).value(),
              Contents(QStringLiteral(VELMORA_TEST_DATA "/default_storm.dat")));
    EXPECT_EQ(Contents(path("options.ini")), "[OPTIONS]\r\nTimeFormat=1\r\nStormUnit=1\r\n");
}

TEST_F(Session, SeriesSwitchesAreSavedWhenTheyChangeAndReloadingRederivesTheCoefficient) {
    StormSession session(path("options.ini"));
    ASSERT_TRUE(session.showSeries(true, true));
    EXPECT_FALSE(QFile::exists(path("options.ini"))); // nothing changed, nothing written
    ASSERT_TRUE(session.showSeries(false, true));
    EXPECT_EQ(LoadOptions(path("options.ini"), QLatin1Char('.')).Bool_ShowAxis_Overall_Rainfall,
              false);

    TOptions ratio = session.options();
    ratio.D_QI_ConversionRatio = 166.7;
    session.setOptions(ratio);
    ASSERT_TRUE(session.saveOptions());
    ASSERT_TRUE(session.reloadOptions());
    EXPECT_DOUBLE_EQ(session.storm().a1_167, 9.5981 * 166.7);

    StormSession unsaved;
    EXPECT_EQ(ErrorReason(unsaved.saveOptions()),
              QStringLiteral("无法保存设置：没有可用的设置文件夹"));
}

TEST_F(Session, TheComparisonKeepsStormsAsComputedUpToEightAndIsWrittenWhole) {
    StormSession session;
    int announced = 0;
    QObject::connect(&session, &StormSession::comparisonChanged, [&] { ++announced; });
    EXPECT_EQ(
        session.addToComparison().message(),
        QStringLiteral("没有雨型可以加入对比~\r\n点击“添加”按钮，添加新曲线")); // not yet computed
    ASSERT_TRUE(session.recompute());
    ASSERT_TRUE(session.addToComparison());
    // The same storm again, even shown in another unit, is kept once.
    TOptions options = session.options();
    options.Int_StormUnitidx = MillimetresPerHour;
    session.setOptions(options);
    ASSERT_TRUE(session.recompute());
    EXPECT_TRUE(session.currentStormCompared());
    EXPECT_EQ(session.addToComparison().message(), QStringLiteral("当前雨型已经在对比中"));
    // Rounded to the decimals shown, its rows are another storm's.
    options.Bool_CalcByShow = true;
    session.setOptions(options);
    ASSERT_TRUE(session.recompute());
    EXPECT_FALSE(session.currentStormCompared());
    options = TOptions();
    session.setOptions(options);
    for (int added = 1; added < 8; ++added) {
        TExpressionObject storm = session.storm();
        storm.Storm_RepeatYear = 2 + added;
        ASSERT_TRUE(session.newStorm(storm));
        EXPECT_FALSE(session.currentStormCompared());
        EXPECT_TRUE(session.addToComparison());
    }
    EXPECT_TRUE(session.currentStormCompared()); // the last one added
    EXPECT_EQ(session.addToComparison().message(), QStringLiteral("当前雨型已经在对比中"));
    TExpressionObject ninth = DefaultStorm();
    ninth.Storm_Step = 5;
    ASSERT_TRUE(session.newStorm(ninth));
    EXPECT_EQ(session.addToComparison().message(),
              QStringLiteral("已经有8个雨型在对比中：请先清除对比"));
    EXPECT_EQ(announced, 8);
    session.clearComparison();
    EXPECT_EQ(announced, 9);
    ASSERT_TRUE(session.newStorm(DefaultStorm()));

    // Kept in mm/min, shown in mm/h after the switch: the same rain.
    ASSERT_TRUE(session.addToComparison());
    TOptions perHour = session.options();
    perHour.Int_StormUnitidx = MillimetresPerHour;
    session.setOptions(perHour);
    const QStringList lines = session.comparisonCsvText().split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[0], QStringLiteral("时间(min),P=2年 T=120分 r=0.4 (mm/h)"));
    EXPECT_EQ(lines[1],
              QStringLiteral("00,") +
                  QLocale::c().toString(session.comparison()[0].rows[0].intensity * 60, 'f', 4));

    const QString kept = path("kept.csv");
    put(kept, "earlier");
    EXPECT_FALSE(session.writeComparisonCsv(path("missing/compare.csv")));
    ASSERT_TRUE(session.writeComparisonCsv(kept));
    EXPECT_EQ(Contents(kept), EncodeCodePage936(session.comparisonCsvText()));
    session.clearComparison();
    EXPECT_EQ(session.writeComparisonCsv(kept).message(),
              QStringLiteral("没有雨型在对比中~\r\n点击“加入对比”按钮，加入当前雨型"));
    EXPECT_EQ(Contents(kept),
              EncodeCodePage936(lines.join(QStringLiteral("\r\n")))); // left as it was
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"kept.csv"});
}

TEST_F(Session, AComparedStormKeepsWhetherItsRowsAreIntervalMeans) {
    StormSession session;
    ASSERT_TRUE(session.recompute());
    ASSERT_TRUE(session.addToComparison());
    TOptions averaged = session.options();
    averaged.Bool_IntervalAverage = true;
    session.setOptions(averaged);
    ASSERT_TRUE(session.recompute());
    ASSERT_TRUE(session.addToComparison());
    session.setOptions(TOptions{});
    EXPECT_FALSE(session.comparison()[0].intervalAverage);
    EXPECT_TRUE(session.comparison()[1].intervalAverage);
}
