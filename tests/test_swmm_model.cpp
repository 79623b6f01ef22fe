#include "error_reason.h"
#include "file_size_limit.h"
#include "posix_files.h"
#include "qstring_printer.h"
#include "swmm_model.h"
#include "swmm_text.h"
#include "system_reason.h"
#include "test_files.h"
#include "text_encoding.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

using namespace velmora;
using velmora::testing::Contents;
using velmora::testing::WriteBytes;

namespace {

// The default storm's formula with another return period, duration and
// step, computed in mm/min as the options' default unit is.
TSwmmStorm Storm(double years, double minutes, int step, bool intervalAverage = true) {
    TExpressionObject storm = DefaultStorm();
    storm.Storm_RepeatYear = years;
    storm.Storm_Time = minutes;
    storm.Storm_Step = step;
    TOptions options;
    options.Bool_IntervalAverage = intervalAverage;
    const Result<THyetograph> computed = CalcHyetograph(storm, options);
    StoreResults(storm, computed);
    return SwmmStormOf(storm, computed->rows, options);
}

// A model SWMM runs: one subcatchment on gage RG0, one conduit. %1 is the
// FLOW_UNITS line; %2 the [RAINGAGES] and [TIMESERIES] sections, if any.
const char* const ModelText = R"([TITLE]
;;雨水管网示例
Velmora

[OPTIONS]
;;Option             Value
%1
INFILTRATION         HORTON
FLOW_ROUTING         KINWAVE
START_DATE           01/01/2024
START_TIME           00:00:00
END_DATE             01/02/2024
END_TIME             06:00:00
WET_STEP             00:01:00
DRY_STEP             01:00:00
ROUTING_STEP         0:00:30
REPORT_STEP          00:15:00
%2
[SUBCATCHMENTS]
;;Name           Rain Gage        Outlet           Area     %Imperv  Width    %Slope   CurbLen
S1               RG0              J1               1        100      100      1        0
S2               RG0              J1               1        100      100      1        0  ;西区

[SUBAREAS]
S1               0.01       0.1        0          0          100        OUTLET
S2               0.01       0.1        0          0          100        OUTLET

[INFILTRATION]
S1               3.0        0.5        4          7          0
S2               3.0        0.5        4          7          0

[JUNCTIONS]
J1               10         2          0          0          0

[OUTFALLS]
O1               9          FREE                        NO

[CONDUITS]
C1               J1               O1               100        0.013      0          0          0          0

[XSECTIONS]
C1               CIRCULAR     1                0          0          0          1

[MAP_NOTES_OF_OURS]
管网说明   保留
)";

const char* const GageAndSeries = R"(
[RAINGAGES]
;;Name           Format    Interval SCF      Source
RG0              INTENSITY 1:00     1.0      TIMESERIES TS0

[TIMESERIES]
;;Name           Date       Time       Value
TS0                         0:00       0
)";

enum class Encoding { Utf8, Utf8WithBom, CodePage936 };

QByteArray Encoded(const QString& text, Encoding encoding) {
    if (encoding == Encoding::CodePage936)
        return EncodeCodePage936(text);
    return (encoding == Encoding::Utf8WithBom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) +
           text.toUtf8();
}

QByteArray Model(const char* flowUnits, bool withSections, const char* lineEnd = "\r\n",
                 Encoding encoding = Encoding::Utf8) {
    QString text = QString::fromUtf8(ModelText).arg(
        QString::fromUtf8(flowUnits), withSections ? QString::fromUtf8(GageAndSeries) : QString());
    text.replace(QLatin1Char('\n'), QString::fromLatin1(lineEnd));
    return Encoded(text, encoding);
}

// `bytes` without the lines whose first word is one of `names`.
QByteArray WithoutLinesOf(const QByteArray& bytes, const QStringList& names) {
    QByteArray kept;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', at);
        const qsizetype next = newline < 0 ? bytes.size() : newline + 1;
        const QByteArray line = bytes.sliced(at, next - at);
        if (!names.contains(QString::fromLatin1(line.simplified().split(' ').front())))
            kept += line;
        at = next;
    }
    return kept;
}

QStringList NamesOf(const TSwmmModelReport& report) {
    QStringList names;
    for (const TSwmmSeriesWritten& series : report.series)
        names << series.seriesName << series.gageName;
    return names;
}

// The first value of the series `name` in the edited model.
double FirstValue(const QByteArray& model, const QString& name) {
    const qsizetype at = model.indexOf(name.toLatin1() + "        ");
    return model.sliced(at).split('\n').front().simplified().split(' ').back().toDouble();
}

TEST(SwmmModel, StormsGoInTheUnitOfTheModelAndNothingElseChanges) {
    struct Case {
        const char* flowUnits;
        bool withSections;
        const char* lineEnd;
        Encoding encoding;
        SwmmRainUnit unit;
    };
    const Case cases[] = {
        {"FLOW_UNITS           LPS", true, "\r\n", Encoding::CodePage936,
         SwmmRainUnit::MillimetresPerHour},
        {"FLOW_UNITS CMS", false, "\n", Encoding::Utf8, SwmmRainUnit::MillimetresPerHour},
        {"flow_units   mld  ;SI", true, "\n", Encoding::Utf8WithBom,
         SwmmRainUnit::MillimetresPerHour},
        {"FLOW_UNITS           CFS", false, "\r\n", Encoding::CodePage936,
         SwmmRainUnit::InchesPerHour},
        {"FLOW_UNITS GPM", true, "\n", Encoding::Utf8, SwmmRainUnit::InchesPerHour},
        {";;SWMM takes CFS", true, "\r\n", Encoding::Utf8WithBom, SwmmRainUnit::InchesPerHour},
    };
    const std::vector<TSwmmStorm> storms = {Storm(2, 120, 5), Storm(5, 1440, 1)};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flowUnits);
        const QByteArray model = Model(c.flowUnits, c.withSections, c.lineEnd, c.encoding);
        const Result<TSwmmModelEdit> edited = EditSwmmModel(model, storms, {});
        ASSERT_TRUE(edited) << edited.message().toStdString();
        EXPECT_EQ(edited->report.rainUnit, c.unit);

        const double perUnit = c.unit == SwmmRainUnit::InchesPerHour ? 25.4 : 1;
        EXPECT_NEAR(FirstValue(edited->bytes, QStringLiteral("P2_T120_r0.4")),
                    MillimetresPerHourAt(storms[0], 0) / perUnit, 1e-7);
        EXPECT_NEAR(FirstValue(edited->bytes, QStringLiteral("P5_T1440_r0.4")),
                    MillimetresPerHourAt(storms[1], 0) / perUnit, 1e-7);
        EXPECT_EQ(edited->bytes.count('\n'), edited->bytes.count(c.lineEnd));

        const QByteArray end(c.lineEnd);
        const QByteArray addedSections =
            end + "[RAINGAGES]" + end + ";;Name           Format    Interval SCF      Source" +
            end + ";;-------------- --------- -------- -------- ----------" + end + end +
            "[TIMESERIES]" + end + ";;Name           Date       Time       Value" + end +
            ";;-------------- ---------- ---------- ----------" + end;
        EXPECT_EQ(WithoutLinesOf(edited->bytes, NamesOf(edited->report)),
                  c.withSections ? model : model + addedSections);
    }
}

// A last CR is a CR LF cut short (found by fuzzing: it became CR CR LF).
TEST(SwmmModel, ALastLineWithoutItsLineEndGetsOne) {
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"[OPTIONS]\r\nFLOW_UNITS CMS", "[OPTIONS]\r\nFLOW_UNITS CMS\r\n\r\n[RAINGAGES]\r\n"},
        {"[OPTIONS]\r\nFLOW_UNITS CMS\r", "[OPTIONS]\r\nFLOW_UNITS CMS\r\n\r\n[RAINGAGES]\r\n"},
        {"[OPTIONS]\nFLOW_UNITS CMS", "[OPTIONS]\nFLOW_UNITS CMS\n\n[RAINGAGES]\n"},
    };
    for (const auto& [model, start] : cases) {
        const Result<TSwmmModelEdit> edited = EditSwmmModel(model, {Storm(2, 120, 5)}, {});
        ASSERT_TRUE(edited);
        EXPECT_TRUE(edited->bytes.startsWith(start)) << edited->bytes.left(60).toStdString();
    }
}

TEST(SwmmModel, EntriesFollowTheLastLineOfTheirSectionWithTheRainfallFilesRows) {
    const QByteArray model = Model("FLOW_UNITS LPS", true, "\n");
    const TSwmmStorm storm = Storm(2, 10, 5, false);
    const Result<TSwmmModelEdit> edited = EditSwmmModel(model, {storm}, {});
    ASSERT_TRUE(edited) << edited.message().toStdString();
    EXPECT_TRUE(edited->bytes.contains(
        "RG0              INTENSITY 1:00     1.0      TIMESERIES TS0\n"
        "RG_P2_T10_r0.4   INTENSITY 00:05    1.0      TIMESERIES P2_T10_r0.4\n\n"));
    const QByteArray series = "TS0                         0:00       0\n"
                              "P2_T10_r0.4                 00:00      69.1741125\n"
                              "P2_T10_r0.4                 00:05      153.1336086\n"
                              "P2_T10_r0.4                 00:10      69.1741125\n\n";
    EXPECT_TRUE(edited->bytes.contains(series));

    // The SWMM rainfall file of the same rows, four decimals shown.
    TOptions options = WithSwmmUnits(TOptions{});
    std::vector<TResultRowTexts> rows;
    for (THyetographRow row : storm.rows) {
        row.intensity *= 60;
        rows.push_back(ResultRowTexts(row, options, QLatin1Char('.')));
    }
    EXPECT_EQ(SwmmText(rows), QStringLiteral(";;时间(时:分)  数值(毫米/时)\r\n"
                                             ";;------------ ------------\r\n"
                                             "00:00           69.1741\r\n"
                                             "00:05           153.1336\r\n"
                                             "00:10           69.1741\r\n"));
}

TEST(SwmmModel, OurEntriesAreReplacedWhereTheyStandOnlyWhenAllowed) {
    const QByteArray model = Model("FLOW_UNITS LPS", true);
    const Result<TSwmmModelEdit> first = EditSwmmModel(model, {Storm(2, 120, 5)}, {});
    ASSERT_TRUE(first);

    const Result<TSwmmModelEdit> refused = EditSwmmModel(first->bytes, {Storm(2, 120, 10)}, {});
    EXPECT_EQ(
        ErrorReason(refused),
        "[without the error mark] 模型中已有同名的时间序列P2_T120_r0.4、雨量计RG_P2_T120_r0.4");
    EXPECT_EQ(refused.failure().kind, FailureKind::NameTaken);

    // Lines of the old series moved apart: the new one takes the first's place.
    QByteArray spread = first->bytes;
    const QByteArray ts0 = "TS0                         0:00       0\r\n";
    const QByteArray second = "P2_T120_r0.4                00:05 ";
    ASSERT_TRUE(spread.contains(ts0) && spread.contains(second));
    spread.replace(ts0, "").replace(second, ts0 + second);
    const Result<TSwmmModelEdit> replaced =
        EditSwmmModel(spread, {Storm(2, 120, 10), Storm(3, 60, 5)}, {.replace = true});
    ASSERT_TRUE(replaced) << replaced.message().toStdString();
    EXPECT_TRUE(replaced->report.series[0].seriesReplaced &&
                replaced->report.series[0].gageReplaced);
    EXPECT_FALSE(replaced->report.series[1].seriesReplaced ||
                 replaced->report.series[1].gageReplaced);
    EXPECT_TRUE(replaced->bytes.contains("INTENSITY 00:10    1.0      TIMESERIES P2_T120_r0.4\r\n"
                                         "RG_P3_T60_r0.4 "));
    EXPECT_TRUE(replaced->bytes.contains(";;Name           Date       Time       Value\r\n"
                                         "P2_T120_r0.4                00:00      12.3128088\r\n"));
    EXPECT_TRUE(replaced->bytes.contains(" 02:00      1.1448137\r\nTS0  "));
    EXPECT_EQ(WithoutLinesOf(replaced->bytes, NamesOf(replaced->report)),
              WithoutLinesOf(spread, NamesOf(first->report)));
}

TEST(SwmmModel, EverySubcatchmentCanReadTheGageOfOneStorm) {
    const QByteArray model = Model("FLOW_UNITS LPS", false);
    TSwmmStorm storm = Storm(2, 120, 5);
    storm.gageName = QStringLiteral("RG 1");
    const Result<TSwmmModelEdit> edited = EditSwmmModel(model, {storm}, {.assignGage = true});
    ASSERT_TRUE(edited) << edited.message().toStdString();
    EXPECT_TRUE(edited->bytes.contains(
        "S1               RG_1              J1               1        100      100      1        "
        "0\r\nS2               RG_1              J1    "));
    EXPECT_EQ(SwmmModelReportLines(edited->report),
              (QStringList{QStringLiteral("新增时间序列P2_T120_r0.4，新增雨量计RG_1"),
                           QStringLiteral("降雨强度单位mm/hr（模型的流量单位为LPS）"),
                           QStringLiteral("2个子汇水区改用雨量计RG_1")}));

    const Result<TSwmmModelEdit> two =
        EditSwmmModel(model, {storm, Storm(5, 120, 5)}, {.assignGage = true});
    EXPECT_EQ(two.message(),
              QStringLiteral("只有写入一个雨型时，才能让所有子汇水区使用它的雨量计"));
}

TEST(SwmmModel, WarningsSayWhatTheRunWouldMiss) {
    QByteArray shortRun = Model("FLOW_UNITS LPS", true, "\n");
    shortRun.replace("END_DATE             01/02/2024\nEND_TIME             06:00:00",
                     "END_DATE             Jan-01-2024\nEND_TIME             1.5");
    struct Case {
        QByteArray model;
        TSwmmStorm storm;
        QStringList warnings;
    };
    const Case cases[] = {
        {Model("FLOW_UNITS LPS", true), Storm(2, 120, 5), {}},
        {Model("FLOW_UNITS LPS", true), Storm(2, 120, 1, false), {}},
        {Model("FLOW_UNITS LPS", true),
         Storm(2, 120, 5, false),
         {QStringLiteral(
             "雨型P2_T120_r0.4的步长为5分钟，各行是所在分钟的强度而不是时段平均强度：SWMM把每个值"
             "保持5分钟，模型得到59.59 mm，比降雨总量H=60.63 mm少1.05 mm（在设置中选择“按时段"
             "平均强度”，模型得到的雨量就等于H）")}},
        {shortRun,
         Storm(2, 120, 5),
         {QStringLiteral("模型的模拟时段（START_DATE/START_TIME至END_DATE/END_TIME）只有1小时30"
                         "分钟，雨型P2_T120_r0.4要到开始后2小时5分钟才结束：模拟只包含其中的"
                         "53.53 mm（全部为60.63 mm），请把END_DATE/END_TIME推后")}},
    };
    for (const Case& c : cases) {
        const Result<TSwmmModelEdit> edited = EditSwmmModel(c.model, {c.storm}, {});
        ASSERT_TRUE(edited) << edited.message().toStdString();
        EXPECT_EQ(edited->report.warnings, c.warnings);
    }
}

class SwmmModelFile : public ::testing::Test {
protected:
    QString path(const QString& name) const { return folder.filePath(name); }
    QStringList entries() const {
        return QDir(folder.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    }

    QTemporaryDir folder;
};

TEST_F(SwmmModelFile, RefusedModelsAndStormsLeaveTheFileAsItWas) {
    TSwmmStorm chineseGage = Storm(2, 120, 5);
    chineseGage.gageName = QStringLiteral("雨量计1");
    TSwmmStorm longGage = Storm(2, 120, 5);
    longGage.gageName = QString(32, QLatin1Char('G'));
    const auto gbk = [](const char* text) { return EncodeCodePage936(QString::fromUtf8(text)); };
    struct Case {
        QByteArray model;
        std::vector<TSwmmStorm> storms;
        QString reason;
    };
    const Case cases[] = {
        {"P2 T120\r\nsome notes\r\n",
         {Storm(2, 120, 5)},
         QStringLiteral("这不是SWMM输入文件：其中没有[OPTIONS]、[SUBCATCHMENTS]这样的节标题")},
        {"[General]\nkey=1\n",
         {Storm(2, 120, 5)},
         QStringLiteral("这不是SWMM输入文件：其中没有[OPTIONS]、[SUBCATCHMENTS]这样的节标题")},
        {QByteArray("[OPTIONS]\nFLOW_UNITS CMS\n\x89PNG\0\x01", 30),
         {Storm(2, 120, 5)},
         QStringLiteral("这不是SWMM输入文件：其中有二进制数据")},
        {gbk("[RAINGAGES]\r\nRG1  强度  0:05  1.0  TIMESERIES  TS1 ;甲\r\n"),
         {Storm(2, 120, 5)},
         QStringLiteral("模型第2行的雨量计无法识别：“RG1  强度  0:05  1.0  TIMESERIES  TS1 ;甲”")},
        {"[OPTIONS]\nFLOW_UNITS  M3S\n",
         {Storm(2, 120, 5)},
         QStringLiteral("模型第2行的流量单位FLOW_UNITS“M3S”无法识别，不能确定降雨强度的单位")},
        {"[TIMESERIES]\nP2_T120_r0.4 FILE rain.dat\n",
         {Storm(2, 120, 5)},
         QStringLiteral("模型第2行的时间序列P2_T120_r0.4不是本程序写入的，不能替换：“P2_T120_r0.4 "
                        "FILE rain.dat”")},
        {"[TIMESERIES]\n\"p2_t120_R0.4\" 01/01/2024 0:00 1.5\n",
         {Storm(2, 120, 5)},
         QStringLiteral("模型第2行的时间序列P2_T120_r0.4不是本程序写入的，不能替换："
                        "“\"p2_t120_R0.4\" 01/01/2024 0:00 1.5”")},
        {"[CURVES]\nP2_T120_r0.4 Storage 0 1\n",
         {Storm(2, 120, 5)},
         QStringLiteral("模型第2行的曲线或模式已使用名称P2_T120_r0.4，时间序列不能再用它："
                        "“P2_T120_r0.4 Storage 0 1”")},
        {"[RAINGAGES]\nRG_P2_T120_r0.4 INTENSITY 0:05 1.0 TIMESERIES TS9\n",
         {Storm(2, 120, 5)},
         QStringLiteral("模型第2行的雨量计RG_P2_T120_r0.4不是读取时间序列P2_T120_r0.4的降雨强度，"
                        "不能替换：“RG_P2_T120_r0.4 INTENSITY 0:05 1.0 TIMESERIES TS9”")},
        {Model("FLOW_UNITS LPS", true),
         {chineseGage},
         QStringLiteral(
             "雨量计名称“雨量计1”含有字符“雨”：SWMM的名称只能用英文字母、数字和英文符号")},
        {Model("FLOW_UNITS LPS", true),
         {longGage},
         QStringLiteral("雨量计名称“GGGGGGGGGGGGGGGGGGGGGGGGGGGGGGGG”有32个字符，SWMM的名称最多31个"
                        "字符")},
        {Model("FLOW_UNITS LPS", true),
         {Storm(2, 120, 5), Storm(2, 120, 10)},
         QStringLiteral("有两个雨型的时间序列名称都是P2_T120_r0.4")},
        {Model("FLOW_UNITS LPS", true), {}, QStringLiteral("没有要写入模型的雨型")},
    };
    const QString model = path("model.inp");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        ASSERT_TRUE(WriteBytes(model, c.model));
        const Result<TSwmmModelReport> written =
            WriteStormsIntoSwmmModel(model, c.storms, {.replace = true});
        EXPECT_EQ(ErrorReason(written),
                  QStringLiteral("[without the error mark] 无法把雨型写入模型“%1”：%2")
                      .arg(model, c.reason));
        EXPECT_EQ(Contents(model), c.model);
    }
    EXPECT_EQ(entries(), QStringList{QStringLiteral("model.inp")});
}

TEST_F(SwmmModelFile, FilesThatCannotBeWrittenAreLeftAsTheyWere) {
    const QByteArray bytes = Model("FLOW_UNITS CMS", true);
    const QString model = path("model.inp");
    ASSERT_TRUE(WriteBytes(model, bytes));
    const std::vector<TSwmmStorm> storms = {Storm(2, 120, 5)};

    Result<TSwmmModelReport> written = Failure{};
    {
        const velmora::testing::FileSizeLimit fullDisk(bytes.size() + 1000);
        written = WriteStormsIntoSwmmModel(model, storms, {});
    }
    EXPECT_EQ(written.message(),
              QStringLiteral("无法写入文件“%1”：%2").arg(model, SystemReasonText(EFBIG)));

    ASSERT_TRUE(QFile::setPermissions(model, QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_EQ(WriteStormsIntoSwmmModel(model, storms, {}).message(),
              QStringLiteral("模型文件“%1”是只读文件，没有写入：请先取消它的只读属性").arg(model));
    EXPECT_EQ(Contents(model), bytes);

    const QString huge = path("huge.inp");
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly) && hugeFile.resize(MaxSwmmModelBytes + 1));
    hugeFile.close();
    EXPECT_EQ(WriteStormsIntoSwmmModel(huge, storms, {}).message(),
              QStringLiteral("模型文件“%1”超过了200 MB，不是可以写入雨型的SWMM输入文件").arg(huge));
    EXPECT_EQ(QFileInfo(huge).size(), MaxSwmmModelBytes + 1);

    EXPECT_EQ(WriteStormsIntoSwmmModel(folder.path(), storms, {}).message(),
              QStringLiteral("无法打开文件“%1”：这不是普通文件（可能是文件夹、管道或设备）")
                  .arg(folder.path()));
    if (velmora::testing::HasFifosAndLinks) {
        ASSERT_TRUE(velmora::testing::MakeFifo(path("pipe")));
        EXPECT_EQ(WriteStormsIntoSwmmModel(path("pipe"), storms, {}).message(),
                  QStringLiteral("无法打开文件“%1”：这不是普通文件（可能是文件夹、管道或设备）")
                      .arg(path("pipe")));
    }
    EXPECT_EQ(entries().size(), velmora::testing::HasFifosAndLinks ? 3 : 2);
}

// The depth that EPA SWMM's engine `engine` reports as the total precipitation
// of the model at `path` (mm or in), or the report of a run that failed.
Result<double> EngineRainfall(const QString& engine, const QString& path) {
    const QString report = path + QStringLiteral(".rpt");
    QProcess run;
    run.start(engine, {path, report, path + QStringLiteral(".out")});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return Failure{QString::fromLocal8Bit(Contents(report) + run.readAll())};
    static const QRegularExpression total(
        QStringLiteral(R"(Total Precipitation \.+\s+\S+\s+(\S+))"));
    const QString text = QString::fromLocal8Bit(Contents(report));
    const QRegularExpressionMatch found = total.match(text);
    if (!found.hasMatch())
        return Failure{text};
    return found.captured(1).toDouble();
}

// The model runs in EPA SWMM 5.2.4: with the subcatchments on a storm's gage
// the run gets H, in mm or in inches as the model's units say; storms whose
// rows are not interval means get the depth the report predicts, and a run
// that ends early what the warning says. Run with VELMORA_SWMM_ENGINE set to
// the engine's runswmm.
TEST_F(SwmmModelFile, TheEngineGetsEachStormsDepth) {
    const QString engine = qEnvironmentVariable("VELMORA_SWMM_ENGINE");
    if (engine.isEmpty())
        GTEST_SKIP() << "VELMORA_SWMM_ENGINE does not name EPA SWMM 5.2.4's runswmm";
    QByteArray shortRun = Model("FLOW_UNITS CMS", true, "\n");
    shortRun.replace("END_DATE             01/02/2024\nEND_TIME             06:00:00",
                     "END_DATE             01/01/2024\nEND_TIME             01:30");
    struct Case {
        QByteArray model;
        std::vector<TSwmmStorm> storms;
        double minutes; // of the run
        double perUnit;
    };
    const double day = 30 * 60;
    const Case cases[] = {
        {Model("FLOW_UNITS LPS", true, "\r\n", Encoding::CodePage936),
         {Storm(2, 120, 5), Storm(5, 1440, 1), Storm(10, 181, 10), Storm(3, 120, 5, false)},
         day,
         1},
        {Model(";;CFS", false, "\n", Encoding::Utf8WithBom),
         {Storm(2, 120, 5), Storm(20, 60, 2, false)},
         day,
         25.4},
        {shortRun, {Storm(2, 120, 5)}, 90, 1},
    };
    const QString model = path("model.inp");
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(model, c.model));
        const Result<TSwmmModelReport> written = WriteStormsIntoSwmmModel(model, c.storms, {});
        ASSERT_TRUE(written) << written.message().toStdString();
        const QByteArray withStorms = Contents(model);
        for (std::size_t i = 0; i < c.storms.size(); ++i) {
            const TSwmmSeriesWritten& series = written->series[i];
            QByteArray onGage = withStorms;
            ASSERT_TRUE(
                WriteBytes(model, onGage.replace(" RG0 ", " " + series.gageName.toLatin1() + " ")));
            const Result<double> rainfall = EngineRainfall(engine, model);
            ASSERT_TRUE(rainfall) << rainfall.message().toStdString();
            const double expected = SwmmGageDepth(c.storms[i], c.minutes) / c.perUnit;
            EXPECT_NEAR(*rainfall, expected, 0.0005) << series.seriesName.toStdString();
            if (c.storms[i].intervalAverage && c.minutes == day) {
                EXPECT_NEAR(*rainfall, c.storms[i].storm.Strom_Overall_Rainfall / c.perUnit,
                            0.0005);
            }
        }
    }
}

} // namespace
