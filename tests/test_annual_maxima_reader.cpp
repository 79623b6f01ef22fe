#include "annual_maxima_reader.h"
#include "error_reason.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(AnnualMaximaReader, ReadsYearsWithGaps) {
    const Result<TAnnualMaxima> records = ReadAnnualMaxima(QStringLiteral(
        "年份\t5\t10\t15\t\r\n1981\t8.2\t12.5\t15\r\n1982\t\t11\t\r\n1983\t9\t13.1\t16\t\r\n"));
    ASSERT_TRUE(records.ok()) << records.message().toStdString();
    EXPECT_EQ(records->durations, (std::vector<double>{5, 10, 15}));
    EXPECT_EQ(records->years, (std::vector<int>{1981, 1982, 1983}));
    EXPECT_EQ(DepthsOfDuration(*records, 0), (std::vector<double>{8.2, 9}));
    EXPECT_EQ(DepthsOfDuration(*records, 1), (std::vector<double>{12.5, 11, 13.1}));
    EXPECT_EQ(DepthsOfDuration(*records, 2), (std::vector<double>{15, 16}));
}

TEST(AnnualMaximaReader, RefusesBadRecordsNamingTheCell) {
    const QString heading = QStringLiteral("年份,5,10,15\n");
    const struct {
        QString text;
        QString reason;
    } cases[] = {
        {"", "表中没有数据"},
        {"年份,5,10\n1981,8,12\n", "第1行只有 2 个历时，至少需要 3 个"},
        {"年份,5,10,5\n", "历时 5 分钟出现了两次：第1行第2列和第1行第4列"},
        {"年份,5,10,1小时\n", "第1行第4列的历时“1小时”不是数字"},
        {heading + "1981,8,12,15\n1981.5,8,12,15\n", "第3行第1列“1981.5”不是年份"},
        {heading + "1981,8,12,15\n,8,12,15\n", "第3行第1列缺少年份"},
        {heading + "1981,8,12,15\n1982,8,-12,15\n", "第3行第3列的雨量 -12 不是正数"},
        {heading + "1981,8,12,15\n1982,8,12,-\n", "第3行第4列的雨量“-”不是数字"},
        {heading + "1981,8,12,15,20\n", "第2行第5列“20”在表头之外：表头没有这一列"},
        {heading + "1981,8,12,15\n1982,8,12,15\n1981,8,12,15\n",
         "年份 1981 出现了两次：第2行第1列和第4行第1列"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorReason(ReadAnnualMaxima(c.text)), "[without the error mark] " + c.reason)
            << c.text.toStdString();
}
