#include "code_page_936.h"
#include "error_reason.h"
#include "intensity_table_reader.h"
#include "qstring_printer.h"
#include "table_text.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(IntensityTableReader, FilesAreReadAsSpreadsheetsWriteThem) {
    const QString text = QStringLiteral("历时(min),2\r\n5,1.5\r\n");
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") +
        QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QByteArray files[] = {text.toUtf8(), "\xEF\xBB\xBF" + text.toUtf8(),
                                EncodeCodePage936(text), utf16};
    for (const QByteArray& bytes : files)
        EXPECT_EQ(DecodeTableFile(bytes), text) << bytes.toHex().toStdString();
}

TEST(IntensityTableReader, ReadsCsvAndPastedTablesInEachUnit) {
    const struct {
        const char* what;
        QString text;
        IntensityUnit unit;
        double qiRatio;
        std::vector<std::vector<double>> intensities;
    } cases[] = {
        {"CSV in mm/min",
         "历时(min),2,5\n5,1.5,2\n10,1.25,1.5\n15,1,1.25\n",
         IntensityUnit::MillimetresPerMinute,
         167,
         {{1.5, 2}, {1.25, 1.5}, {1, 1.25}}},
        {"pasted in mm/h, trailing tabs and blank lines",
         "历时(min)\t2\t5\t\r\n\r\n5\t90\t120\t\r\n10\t 75 \t90\r\n15\t60\t75\r\n\r\n",
         IntensityUnit::MillimetresPerHour,
         167,
         {{1.5, 2}, {1.25, 1.5}, {1, 1.25}}},
        {"quoted CSV cells, q with 167",
         "\"历时,min\",\"2\",5\n\"5\",334,167\n10,167,83.5\n15,1,2",
         IntensityUnit::LitresPerSecondHectare,
         167,
         {{2, 1}, {1, 0.5}, {1 / 167.0, 2 / 167.0}}},
        {"q converted exactly",
         "t,2,5\n5,500,1000\n10,250,500\n15,125,250\n",
         IntensityUnit::LitresPerSecondHectare,
         0.006,
         {{3, 6}, {1.5, 3}, {0.75, 1.5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Result<TIntensityTable> table = ReadIntensityTable(c.text, c.unit, c.qiRatio);
        ASSERT_TRUE(table.ok()) << table.message().toStdString();
        EXPECT_EQ(table->durations, (std::vector<double>{5, 10, 15}));
        EXPECT_EQ(table->periods, (std::vector<double>{2, 5}));
        ASSERT_EQ(table->intensities.size(), c.intensities.size());
        for (std::size_t row = 0; row < c.intensities.size(); ++row)
            for (std::size_t column = 0; column < 2; ++column)
                EXPECT_DOUBLE_EQ(table->intensities[row][column], c.intensities[row][column]);
    }
}

TEST(IntensityTableReader, RefusesABadTableNamingTheCell) {
    const QString rest = QStringLiteral("10,1.25,1.5\n15,1,1.25\n");
    const struct {
        QString text;
        QString reason;
    } cases[] = {
        {"", "表中没有数据"},
        {"历时(min)\n5\n10\n15\n", "第1行只有标题，没有重现期"},
        {"历时,2年,5\n5,1.5,2\n" + rest, "第1行第2列的重现期“2年”不是数字"},
        {"历时,0,5\n5,1.5,2\n" + rest, "第1行第2列的重现期 0 不是正数"},
        {"历时,2,5,2\n5,1.5,2,1\n" + rest, "重现期 2 年出现了两次：第1行第2列和第1行第4列"},
        {"历时,2,5\n5,1.5\n" + rest, "第2行第3列缺少强度"},
        {"历时,2,5\n5,,2\n" + rest, "第2行第2列缺少强度"},
        {"历时,2,5\n\n5,abc,2\n" + rest, "第3行第2列的强度“abc”不是数字"},
        {"历时,2,5\n5,1.5,-2\n" + rest, "第2行第3列的强度 -2 不是正数"},
        {"历时,2,5\n5,1.5,2,,3\n" + rest, "第2行第5列“3”在表头之外：表头没有这一列"},
        {"历时,2,5\nx,1.5,2\n" + rest, "第2行第1列的历时“x”不是数字"},
        {"历时,2,5\n10,1.5,2\n" + rest, "历时 10 分钟出现了两次：第2行第1列和第3行第1列"},
        {"历时,2,5\n" + rest, "表中只有 2 个历时，至少需要 3 个"},
    };
    for (const auto& c : cases) {
        const Result<TIntensityTable> table =
            ReadIntensityTable(c.text, IntensityUnit::MillimetresPerMinute, 167);
        EXPECT_EQ(ErrorReason(table), "[without the error mark] " + c.reason)
            << c.text.toStdString();
    }
}
