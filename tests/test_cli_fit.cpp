// velmora-cli's --fit-formula and --fit-maxima: what they print, write and refuse.

#include "cli_arguments.h"
#include "cli_run.h"
#include "intensity_tables.h"
#include "qstring_printer.h"
#include "storm_file.h"
#include "test_files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

using namespace velmora;
using namespace velmora::testing;

namespace {

const TTotalFormula Formula{10.5, 0.85, 12, 0.72, CommonLogarithm};

// What a fit printed: the key=value lines and each table's lines of cells by title.
struct Printed {
    int exitCode = 0;
    QString err;
    std::map<QString, double> keys;
    std::map<QString, std::vector<QStringList>> tables; // heading first
};

class CliFit : public ::testing::Test {
protected:
    QTemporaryDir folder;

    void file(const char* name, const QString& text) {
        EXPECT_TRUE(WriteBytes(folder.filePath(QString::fromLatin1(name)), text.toUtf8()));
    }
    // Runs with `arguments` split at blanks, TABLE and RECORDS standing for the files.
    Printed run(const QString& arguments) {
        QStringList list = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString& argument : list)
            argument.replace(QStringLiteral("TABLE"), folder.filePath(QStringLiteral("table.csv")))
                .replace(QStringLiteral("RECORDS"), folder.filePath(QStringLiteral("records.txt")))
                .replace(QStringLiteral("STORM"), folder.filePath(QStringLiteral("storm.txt")));
        QByteArray out, err;
        Printed printed;
        printed.exitCode = cli::RunCli(list, out, err);
        printed.err = QString::fromUtf8(err);
        const QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'));
        qsizetype i = 0;
        for (; i < lines.size() && !lines[i].isEmpty(); ++i)
            printed.keys[lines[i].section(QLatin1Char('='), 0, 0)] =
                lines[i].section(QLatin1Char('='), 1).toDouble();
        QString title;
        for (; i < lines.size(); ++i) {
            if (lines[i].startsWith(QStringLiteral("# ")))
                title = lines[i].mid(2);
            else if (!lines[i].isEmpty())
                printed.tables[title].push_back(lines[i].split(QLatin1Char(',')));
        }
        return printed;
    }
};

// The root-mean-square of formula − table over `rows` of `column`.
double Rms(const std::vector<double>& differences) {
    double squares = 0;
    for (const double d : differences)
        squares += d * d;
    return std::sqrt(squares / static_cast<double>(differences.size()));
}

} // namespace

TEST_F(CliFit, ATableInEachUnitGivesItsFormulaBack) {
    const struct {
        const char* flags;
        double factor;
        double c;
        int logOfP;
    } cases[] = {
        {"", 1, 0.85, 0},
        {"--table-unit mm/h", 60, 0.85, 0},
        // ln P = lg P · ln 10: the same formula has C / ln 10.
        {"--table-unit q --qi-ratio 166.7 --ln", 166.7, 0.85 / std::log(10.0), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        file("table.csv", TableCsv(TableOfFormula(Formula), c.factor));
        const Printed fit =
            run(QStringLiteral("--fit-formula TABLE ") + QString::fromLatin1(c.flags));
        ASSERT_EQ(fit.exitCode, 0) << fit.err.toStdString();
        EXPECT_NEAR(fit.keys.at("a1"), 10.5, 1e-5);
        EXPECT_NEAR(fit.keys.at("c"), c.c, 1e-6);
        EXPECT_NEAR(fit.keys.at("b"), 12, 1e-5);
        EXPECT_NEAR(fit.keys.at("n"), 0.72, 1e-7);
        EXPECT_EQ(fit.keys.at("LG_LN"), c.logOfP);
        const auto& accuracy = fit.tables.at(QStringLiteral("总公式精度"));
        ASSERT_EQ(accuracy.size(), 10u); // the heading, 8 periods, 2~20 years
        EXPECT_EQ(accuracy[9], (QStringList{"2~20", "0.0000", "0.00", "合格", "合格"}));
        EXPECT_EQ(fit.tables.size(), 3u);
    }
}

// Every figure of the tables is worked out again here from the printed formulas.
TEST_F(CliFit, TheTablesSayHowFarTheFormulasLieFromTheTable) {
    const TIntensityTable scattered = PatternedTable(0.1, 1);
    file("table.csv", TableCsv(scattered));
    const Printed fit = run(QStringLiteral("--fit-formula TABLE"));
    ASSERT_EQ(fit.exitCode, 0) << fit.err.toStdString();
    const TTotalFormula total{fit.keys.at("a1"), fit.keys.at("c"), fit.keys.at("b"),
                              fit.keys.at("n"), CommonLogarithm};
    const auto& accuracy = fit.tables.at(QStringLiteral("总公式精度"));
    const auto& periods = fit.tables.at(QStringLiteral("单一重现期公式"));
    EXPECT_EQ(periods[0], (QStringList{"重现期(年)", "A", "b", "n", "均方差σ(mm/min)",
                                       "相对均方差(%)", "σ≤0.05mm/min", "相对均方差≤5%"}));
    double largest = 0;
    QStringList largestCell;
    for (std::size_t column = 0; column < scattered.periods.size(); ++column) {
        const double p = scattered.periods[column];
        const QStringList& own = periods[column + 1];
        const TPeriodFormula single{p, own[1].toDouble(), own[2].toDouble(), own[3].toDouble()};
        std::vector<double> totalDifferences, singleDifferences;
        double sum = 0;
        for (std::size_t row = 0; row < scattered.durations.size(); ++row) {
            const double t = scattered.durations[row], i = scattered.intensities[row][column];
            totalDifferences.push_back(FormulaIntensity(total, t, p) - i);
            singleDifferences.push_back(FormulaIntensity(single, t) - i);
            sum += i;
            if (std::abs(totalDifferences.back()) > std::abs(largest))
                largest = totalDifferences.back(), largestCell = {CellText(t), CellText(p)};
        }
        const double mean = sum / static_cast<double>(scattered.durations.size());
        for (const auto& [line, differences] :
             {std::pair{accuracy[column + 1], totalDifferences},
              std::pair{QStringList{own[0]} + own.mid(4), singleDifferences}}) {
            SCOPED_TRACE(line.join(QLatin1Char(',')).toStdString());
            EXPECT_EQ(line[0].toDouble(), p);
            const double rms = Rms(differences);
            EXPECT_NEAR(line[1].toDouble(), rms, 6e-5);
            EXPECT_NEAR(line[2].toDouble(), 100 * rms / mean, 6e-3);
            EXPECT_EQ(line[3], rms <= 0.05 ? "合格" : "不合格");
            EXPECT_EQ(line[4], 100 * rms / mean <= 5 ? "合格" : "不合格");
        }
    }
    const auto& deviations = fit.tables.at(QStringLiteral("最大偏差"));
    EXPECT_EQ(deviations[1].mid(0, 3), QStringList({"总公式"}) + largestCell);
    EXPECT_NEAR(deviations[1][3].toDouble(), largest, 6e-5);
}

TEST_F(CliFit, AnnualMaximaGiveEachDistributionsTableAndTheChosenFormula) {
    TAnnualMaxima maxima = ThirtyYearsOfMaxima();
    maxima.depths[4][0].reset(); // a year without its 5-minute value
    file("records.txt", RecordsText(maxima));
    const Printed best = run(QStringLiteral("--fit-maxima RECORDS --periods 2,5,10,50"));
    ASSERT_EQ(best.exitCode, 0) << best.err.toStdString();
    const Printed gumbel =
        run(QStringLiteral("--fit-maxima RECORDS --periods 2,5,10,50 --distribution gumbel"));
    ASSERT_EQ(gumbel.exitCode, 0) << gumbel.err.toStdString();
    for (const Printed* fit : {&best, &gumbel}) {
        const auto& formulas = fit->tables.at(QStringLiteral("三种分布的公式"));
        ASSERT_EQ(formulas.size(), 4u);
        for (std::size_t i = 1; i < 4; ++i) {
            const QStringList& row = formulas[i];
            const bool chosen = fit == &gumbel ? row[0] == "耿贝尔分布" : row[6].contains("推荐");
            SCOPED_TRACE(row.join(QLatin1Char(',')).toStdString());
            EXPECT_EQ(row[6].contains("采用"), chosen);
            if (chosen) {
                EXPECT_NEAR(row[1].toDouble(), fit->keys.at("a1"), 1e-5 * row[1].toDouble());
                EXPECT_NEAR(row[4].toDouble(), fit->keys.at("n"), 1e-6);
            }
        }
    }
    // Gumbel's depth by moments, worked out here: mean + K·S.
    const std::vector<double> depths = DepthsOfDuration(maxima, 0);
    double sum = 0, squares = 0;
    for (const double d : depths)
        sum += d;
    const double mean = sum / static_cast<double>(depths.size());
    for (const double d : depths)
        squares += (d - mean) * (d - mean);
    const double s = std::sqrt(squares / static_cast<double>(depths.size() - 1));
    const double k =
        -std::sqrt(6.0) / std::numbers::pi * (0.5772156649015329 + std::log(-std::log(0.9)));
    const auto& curves = gumbel.tables.at(QStringLiteral("耿贝尔分布"));
    EXPECT_EQ(curves[0], (QStringList{"历时(min)", "年数", "均值(mm)", "Cv", "Cs", "2年(mm)",
                                      "5年(mm)", "10年(mm)", "50年(mm)"}));
    EXPECT_EQ(curves[1].mid(0, 2), (QStringList{"5", "29"}));
    EXPECT_NEAR(curves[1][2].toDouble(), mean, 0.006);
    EXPECT_NEAR(curves[1][3].toDouble(), s / mean, 0.0006);
    EXPECT_NEAR(curves[1][7].toDouble(), mean + k * s, 0.006);
    EXPECT_EQ(curves.size(), 12u);
    EXPECT_TRUE(gumbel.tables.count(QStringLiteral("皮尔逊III型分布")));
    EXPECT_TRUE(gumbel.tables.count(QStringLiteral("指数分布")));
}

TEST_F(CliFit, TheFittedFormulaIsWrittenAsAStormWithTheOtherValues) {
    file("table.csv", TableCsv(TableOfFormula(Formula)));
    const QString storm = folder.filePath(QStringLiteral("storm.txt"));
    const Printed fit =
        run(QStringLiteral("--fit-formula TABLE --ln --P 5 --T 180 --write-storm STORM"));
    ASSERT_EQ(fit.exitCode, 0) << fit.err.toStdString();
    const Result<TExpressionObject> written = ReadStormFileAt(storm, QLatin1Char('.'));
    ASSERT_TRUE(written.ok()) << written.message().toStdString();
    EXPECT_EQ(written->F_type, IntensityForm);
    EXPECT_EQ(written->a1, fit.keys.at("a1"));
    EXPECT_EQ(written->c, fit.keys.at("c"));
    EXPECT_EQ(written->b, fit.keys.at("b"));
    EXPECT_EQ(written->n, fit.keys.at("n"));
    EXPECT_EQ(written->LG_LN, NaturalLogarithm);
    EXPECT_NEAR(written->a1_167, 167 * written->a1, 1e-9);
    EXPECT_EQ(written->Storm_RepeatYear, 5);
    EXPECT_EQ(written->Storm_Time, 180);
    EXPECT_EQ(written->Storm_Percent, 0.4); // the default storm's

    // On a storm of the person's own, which keeps its values unless given.
    const Printed again =
        run(QStringLiteral("--fit-formula TABLE --storm STORM --r 0.3 --write-storm STORM"));
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    const Result<TExpressionObject> rewritten = ReadStormFileAt(storm, QLatin1Char('.'));
    EXPECT_EQ(rewritten->LG_LN, CommonLogarithm);
    EXPECT_EQ(rewritten->Storm_Time, 180);
    EXPECT_EQ(rewritten->Storm_Percent, 0.3);

    // A storm the formula cannot compute is not written.
    const QByteArray before = Contents(storm);
    const Printed negative =
        run(QStringLiteral("--fit-formula TABLE --P 0.0001 --write-storm STORM"));
    EXPECT_EQ(negative.exitCode, 1);
    EXPECT_TRUE(negative.err.startsWith(QStringLiteral("出错：1+C·lgP=")))
        << negative.err.toStdString();
    EXPECT_EQ(Contents(storm), before);
}

TEST_F(CliFit, CombinationsThatCannotBeMetAreRefused) {
    file("table.csv", TableCsv(TableOfFormula(Formula)));
    file("records.txt", RecordsText(ThirtyYearsOfMaxima()));
    const struct {
        const char* arguments;
        const char* message;
    } refused[] = {
        {"--fit-formula TABLE --fit-maxima RECORDS",
         "--fit-formula 和 --fit-maxima 一次只能用一个"},
        {"--periods 2,5", "--distribution 和 --periods 只用于 --fit-maxima"},
        {"--fit-maxima RECORDS --table-unit mm/h", "--table-unit 只用于 --fit-formula"},
        {"--fit-maxima RECORDS --periods 1,2", "--periods 1：年最大值只能推算 1 年以上的重现期"},
        {"--fit-maxima RECORDS --periods 5", "--periods 只给了 1 个重现期，总公式至少需要 2 个"},
        {"--fit-formula TABLE --b 7",
         "A1、C、b、n 由拟合得出，不能再用 --a1、--c、--b、--n 或 --flow 给出"},
        {"--fit-formula TABLE --T 60", "--storm、--P、--T、--r 和 --step 给出 --write-storm "
                                       "写出的雨型，需要与它一起使用"},
        {"--fit-formula TABLE --into-swmm model.inp",
         "--fit-formula 和 --fit-maxima 输出公式和精度表，不能与 --compare、--out-dir、--format、"
         "--out、--totals、--idf-check、--into-swmm 或 --P/--T/--r 列表一起使用"},
        {"--fit-formula /nonexistent/table.csv", "无法读取文件“/nonexistent/table.csv”"},
    };
    for (const auto& c : refused) {
        const Printed printed = run(QString::fromUtf8(c.arguments));
        EXPECT_EQ(printed.exitCode, 2) << c.arguments;
        EXPECT_TRUE(printed.keys.empty() && printed.tables.empty()) << c.arguments;
        EXPECT_TRUE(printed.err.startsWith(QStringLiteral("velmora-cli: ") +
                                           QString::fromUtf8(c.message) + QLatin1Char('\n')))
            << printed.err.toStdString();
    }
}

TEST_F(CliFit, DataThatCannotGiveAFormulaIsNamedAndNothingIsWritten) {
    TAnnualMaxima shortRecords = ThirtyYearsOfMaxima();
    for (std::size_t year = 9; year < 30; ++year)
        shortRecords.depths[year][1].reset();
    const struct {
        const char* flag;
        QString data;
        QString reason;
    } cases[] = {
        {"--fit-formula", "历时,2,5\n5,2,2.5\n10,1.5\n15,1,1.3\n", "第3行第3列缺少强度"},
        {"--fit-formula", "历时,2,2\n5,2,2.5\n10,1.5,2\n15,1,1.3\n",
         "重现期 2 年出现了两次：第1行第2列和第1行第3列"},
        {"--fit-formula", "历时,2\n5,2\n10,1.5\n15,1\n",
         "表中只有 1 个重现期，总公式至少需要 2 个"},
        // Intensities that do not fall with the duration: n would have to be 0.
        {"--fit-formula", "历时,2,5\n5,1,2\n10,1,2\n15,1,2\n20,1,2\n", "总公式：拟合结果落在边界"},
        {"--fit-maxima", RecordsText(shortRecords), "历时 10 分钟只有 9 年的记录，至少需要 10 年"},
    };
    const QString storm = folder.filePath(QStringLiteral("storm.txt"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason.toStdString());
        file("data.csv", c.data);
        const Printed printed = run(QString::fromLatin1(c.flag) + QStringLiteral(" ") +
                                    folder.filePath(QStringLiteral("data.csv")) +
                                    QStringLiteral(" --write-storm STORM"));
        EXPECT_EQ(printed.exitCode, 1);
        EXPECT_TRUE(printed.keys.empty() && printed.tables.empty());
        EXPECT_TRUE(printed.err.startsWith(QStringLiteral("出错：") + c.reason))
            << printed.err.toStdString();
        EXPECT_FALSE(QFile::exists(storm));
    }
}
