#include "atomic_file.h"
#include "qstring_printer.h"
#include "storm_file.h"
#include "system_reason.h"
#include "text_encoding.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>

using namespace velmora;

namespace {

const QChar Dot = QLatin1Char('.');

QByteArray Cp936(const QString& text) {
    return EncodeCodePage936(text);
}

QString DefaultStormText() {
    return QStringLiteral("SIGN=访问https://www.example.com获取更多实用工具~\r\n"
                          "F_type=0\r\n"
                          "a1_167=1599.68333333333\r\n"
                          "a1=9.5981\r\n"
                          "c=0.846\r\n"
                          "b=7\r\n"
                          "n=0.656\r\n"
                          "LG_LN=0\r\n"
                          "重现期=2\r\n"
                          "降雨历时=120\r\n"
                          "峰值比例=0.4\r\n"
                          "计算步长=1\r\n");
}

void ExpectSameStorm(const TExpressionObject& a, const TExpressionObject& b) {
    EXPECT_EQ(a.F_type, b.F_type);
    EXPECT_EQ(a.a1, b.a1);
    EXPECT_EQ(a.a1_167, b.a1_167);
    EXPECT_EQ(a.c, b.c);
    EXPECT_EQ(a.b, b.b);
    EXPECT_EQ(a.n, b.n);
    EXPECT_EQ(a.LG_LN, b.LG_LN);
    EXPECT_EQ(a.Storm_RepeatYear, b.Storm_RepeatYear);
    EXPECT_EQ(a.Storm_Time, b.Storm_Time);
    EXPECT_EQ(a.Storm_Percent, b.Storm_Percent);
    EXPECT_EQ(a.Storm_Step, b.Storm_Step);
}

} // namespace

TEST(StormFile, TheDefaultStormsBytes) {
    EXPECT_EQ(StormFileMarker().size(), 34);
    EXPECT_EQ(StormFileBytes(DefaultStorm(), Dot).value(), Cp936(DefaultStormText()));
    // Code page 936: two bytes a Chinese character, no byte-order mark.
    EXPECT_TRUE(StormFileBytes(DefaultStorm(), Dot).value().startsWith("SIGN=\xB7\xC3\xCE\xCA"));
}

TEST(StormFile, UnusualValuesRoundTripFieldForField) {
    TExpressionObject storm = DefaultStorm();
    storm.F_type = FlowForm;
    storm.a1_167 = 1e20;
    storm.a1 = 0.00005;
    storm.c = -0.846;
    storm.b = 123456.789012345;
    storm.n = 0;
    storm.LG_LN = NaturalLogarithm;
    storm.Storm_RepeatYear = 0.0001;
    storm.Storm_Time = 1e-7;
    storm.Storm_Percent = 0.999;
    storm.Storm_Step = -5;
    const QByteArray bytes = StormFileBytes(storm, Dot).value();
    EXPECT_TRUE(bytes.contains("a1_167=1E20\r\n"));
    EXPECT_TRUE(bytes.contains("a1=5E-5\r\n"));
    const auto read = ReadStormFile(bytes, Dot);
    ASSERT_TRUE(read.ok()) << read.message().toStdString();
    ExpectSameStorm(*read, storm);

    storm.b = 123456.789012345;
    storm.c = 9.87654321098765;
    const auto fifteen =
        ReadStormFile(StormFileBytes(storm, QLatin1Char(',')).value(), QLatin1Char(','));
    ASSERT_TRUE(fifteen.ok());
    ExpectSameStorm(*fifteen, storm);
}

TEST(StormFile, ValuesThatWouldNotReadBackAreRefused) {
    const struct {
        double TExpressionObject::*field;
        double value;
        const char* message;
    } cases[] = {
        {&TExpressionObject::a1_167, INFINITY, "a1_167=INF 超出了雨型文件可以保存的数值范围"},
        {&TExpressionObject::n, NAN, "n=NAN 超出了雨型文件可以保存的数值范围"},
        {&TExpressionObject::a1, 1.7976931348623157e308,
         "a1=1.79769313486232E308 超出了雨型文件可以保存的数值范围"},
    };
    for (const auto& c : cases) {
        TExpressionObject storm = DefaultStorm();
        storm.*c.field = c.value;
        const auto bytes = StormFileBytes(storm, Dot);
        EXPECT_FALSE(bytes) << c.message;
        EXPECT_EQ(bytes.message(), QString::fromUtf8(c.message));
    }
    TExpressionObject largest = DefaultStorm();
    largest.a1 = 1.79769313486231e308; // written as it is, so it reads back
    const auto read = ReadStormFile(StormFileBytes(largest, Dot).value(), Dot);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->a1, largest.a1);
}

TEST(StormFile, KeysInAnyCaseAndOrderAnyLineEndsExtraLinesAndByteOrderMarks) {
    const QString shuffled = QStringLiteral(
        "extra line without equals\n计算步长=5\nA1=9.5981\nC=0.846\nb=7\nN=0.656\nlg_ln=0\n"
        "重现期=2\n降雨历时=120\n峰值比例=0.4\nf_type=0\nA1_167=1602.8827\na1=1\n"
        "SIGN=访问https://www.example.com获取更多实用工具~\nunknown=3");
    const auto expectDefault = [](const QByteArray& bytes, const char* what) {
        const auto read = ReadStormFile(bytes, Dot);
        ASSERT_TRUE(read.ok()) << what << ": " << read.message().toStdString();
        EXPECT_EQ(read->a1, 9.5981) << what; // the first line of a key wins
        EXPECT_EQ(read->a1_167, 1602.8827) << what;
        EXPECT_EQ(read->Storm_Step, 5) << what;
    };
    expectDefault(Cp936(shuffled), "LF, code page 936");
    QString crOnly = shuffled;
    crOnly.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    expectDefault(Cp936(crOnly), "CR only");
    expectDefault("\xEF\xBB\xBF" + shuffled.toUtf8(), "UTF-8 with byte-order mark");
    QStringEncoder little(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    expectDefault(little.encode(shuffled), "UTF-16 LE");
    QStringEncoder big(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom);
    expectDefault(big.encode(shuffled), "UTF-16 BE");

    // UTF-8 without a byte-order mark is read as code page 936: the marker does not match.
    const auto plainUtf8 = ReadStormFile(shuffled.toUtf8(), Dot);
    EXPECT_EQ(plainUtf8.failure().kind, FailureKind::WrongFormat);
}

TEST(StormFile, TheEarlierLayoutWithoutTheFlowForm) {
    QString text = DefaultStormText();
    text.remove(QStringLiteral("F_type=0\r\n"));
    text.remove(QStringLiteral("a1_167=1599.68333333333\r\n"));
    const auto read = ReadStormFile(Cp936(text), Dot);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->F_type, 0);
    EXPECT_EQ(read->a1_167, 9.5981 / 0.006);
}

TEST(StormFile, ValuesThatDoNotConvertGiveNoStormAndTheMessage) {
    const auto failure = [](const QString& from, const QString& to,
                            QChar separator = QLatin1Char('.')) {
        QString text = DefaultStormText();
        text.replace(from, to);
        return ReadStormFile(EncodeCodePage936(text), separator);
    };
    auto read = failure(QStringLiteral("c=0.846"), QStringLiteral("c=abc"));
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.failure().kind, FailureKind::BadValue);
    EXPECT_EQ(read.message(), QStringLiteral("'abc' is not a valid floating point value"));

    read = failure(QStringLiteral("b=7\r\n"), QString()); // a missing key reads as empty
    EXPECT_EQ(read.message(), QStringLiteral("'' is not a valid floating point value"));
    read = failure(QStringLiteral("计算步长=1"), QStringLiteral("计算步长=1.5"));
    EXPECT_EQ(read.message(), QStringLiteral("'1.5' is not a valid integer value"));
    read = failure(QStringLiteral("重现期=2"), QStringLiteral("重现期="));
    EXPECT_EQ(read.message(), QStringLiteral("'' is not a valid floating point value"));
    // A file written with "," as separator does not open where "." is used, and back.
    read = failure(QStringLiteral("c=0.846"), QStringLiteral("c=0,846"));
    EXPECT_EQ(read.message(), QStringLiteral("'0,846' is not a valid floating point value"));
    EXPECT_FALSE(ReadStormFile(EncodeCodePage936(DefaultStormText()), QLatin1Char(',')).ok());
}

TEST(StormFile, WrongMarkersAndGarbage) {
    QString text = DefaultStormText();
    text.replace(QStringLiteral("example"), QStringLiteral("Example"));
    auto read = ReadStormFile(EncodeCodePage936(text), Dot);
    EXPECT_EQ(read.failure().kind, FailureKind::WrongFormat);
    EXPECT_EQ(read.message(), QStringLiteral("该文件不包含正确的数据格式，请确认后重试~"));
    EXPECT_FALSE(read.ok());

    QByteArray garbage(10 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919) % 251);
    read = ReadStormFile(garbage, Dot);
    EXPECT_EQ(read.failure().kind, FailureKind::WrongFormat);
    read = ReadStormFile(garbage.left(4000), Dot);
    EXPECT_EQ(read.failure().kind, FailureKind::WrongFormat);
}

TEST(StormFile, LogarithmChoiceKeepsItsLowEightBits) {
    QString text = DefaultStormText();
    text.replace(QStringLiteral("LG_LN=0"), QStringLiteral("LG_LN=258"));
    const auto read = ReadStormFile(EncodeCodePage936(text), Dot);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->LG_LN, 2);
}

TEST(StormFile, FilesThatCannotBeReadOrWritten) {
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("missing.txt"));
    const auto read = ReadStormFileAt(missing, Dot);
    EXPECT_EQ(
        read.message(),
        QStringLiteral("无法打开文件“%1”：%2").arg(missing, velmora::SystemReasonText(ENOENT)));
    EXPECT_EQ(read.failure().kind, FailureKind::General);
    EXPECT_TRUE(
        ReadStormFileAt(folder.path(), Dot).message().startsWith(QStringLiteral("无法打开文件")));

    const QString existing = folder.filePath(QStringLiteral("old.txt"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
    file.close();
    const Status written =
        WriteFileAtomically(folder.filePath(QStringLiteral("old.txt/new.txt")), "x");
    EXPECT_FALSE(written);
    EXPECT_EQ(written.message(), QStringLiteral("无法写入文件“%1”：%2")
                                     .arg(folder.filePath(QStringLiteral("old.txt/new.txt")),
                                          velmora::SystemReasonText(ENOTDIR)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old");
}
