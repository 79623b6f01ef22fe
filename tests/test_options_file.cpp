#include "file_size_limit.h"
#include "options_file.h"
#include "posix_files.h"
#include "qstring_printer.h"
#include "system_reason.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

using namespace velmora;

namespace {

const QChar Dot = QLatin1Char('.');

class OptionsFile : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString path() const { return folder.filePath(QStringLiteral("options.ini")); }

    void write(const QByteArray& bytes) const {
        ASSERT_TRUE(velmora::testing::WriteBytes(path(), bytes));
    }
    QByteArray read() const { return velmora::testing::Contents(path()); }
};

const QByteArray FreshFile = "[OPTIONS]\r\n"
                             "ShowLabel_P=1\r\n"
                             "ShowLabel_T=1\r\n"
                             "ShowLabel_R=1\r\n"
                             "ShowLabel_Overall_Rainfall=1\r\n"
                             "ShowLabel_Average=1\r\n"
                             "ShowAxis_Overall=1\r\n"
                             "ShowAxis_Intensity=1\r\n"
                             "CalcByShow=0\r\n"
                             "Precision=4\r\n"
                             "TimeFormat=1\r\n"
                             "StormUnit=1\r\n"
                             "QI_ConversionRatio=167\r\n"
                             "Font_LeftAxis=\"Arial\", 9, [], [clBlack]\r\n"
                             "Font_LeftTitle=\"Arial\", 9, [], [clBlack]\r\n"
                             "Font_RightAxis=\"Arial\", 9, [], [clBlack]\r\n"
                             "Font_RightTitle=\"Arial\", 9, [], [clBlack]\r\n"
                             "Font_BottomAxis=\"Arial\", 9, [], [clBlack]\r\n"
                             "Font_BottomTitle=\"Arial\", 9, [], [clBlack]\r\n"
                             "Font_RainModelInfo=\"Arial\", 9, [Bold], [clWindowText]\r\n"
                             // Added after the fonts: older files only gain these last lines.
                             "IntervalAverage=0\r\n"
                             "ReportIdfCheck=0\r\n";

} // namespace

TEST_F(OptionsFile, NoFileGivesTheDefaults) {
    const TOptions options = LoadOptions(path(), Dot);
    EXPECT_EQ(options, TOptions{});
    EXPECT_TRUE(options.Bool_ShowLabel_P && options.Bool_ShowAxis_Overall_Rainfall);
    EXPECT_EQ(options.Int_Precision, 4);
    EXPECT_EQ(options.Int_TimeForamtidx, 1);
    EXPECT_EQ(options.Int_StormUnitidx, 1);
    EXPECT_EQ(options.D_QI_ConversionRatio, 167.0);
    EXPECT_EQ(options.Font_RainModelInfo, "\"Arial\", 9, [Bold], [clWindowText]");
}

TEST_F(OptionsFile, AFreshSaveHoldsEveryKeyInOrder) {
    ASSERT_TRUE(SaveOptions(path(), TOptions{}, Dot));
    EXPECT_EQ(read(), FreshFile);
    EXPECT_EQ(LoadOptions(path(), Dot), TOptions{});
}

TEST_F(OptionsFile, EveryFieldRoundTrips) {
    TOptions options;
    options.Bool_ShowLabel_P = false;
    options.Bool_ShowLabel_Overall_Rainfall = false;
    options.Bool_ShowAxis_Rainfall_Intensity = false;
    options.Bool_CalcByShow = true;
    options.Bool_IntervalAverage = true;
    options.Bool_ReportIdfCheck = true;
    options.Int_Precision = 99;
    options.D_QI_ConversionRatio = QIConversionRatios[5];
    options.Int_TimeForamtidx = HoursAndMinutesFormat;
    options.Int_StormUnitidx = MillimetresPerHour;
    options.Font_LeftTitle = QStringLiteral("\"宋体\", 12, [Bold|Underline], [$00808081]");
    options.Font_RainModelInfo = QStringLiteral("\"Noto Sans\", 10, [], [clRed]");
    ASSERT_TRUE(SaveOptions(path(), options, Dot));
    EXPECT_TRUE(read().contains("QI_ConversionRatio=0.006\r\n"));
    EXPECT_TRUE(read().endsWith("IntervalAverage=1\r\nReportIdfCheck=1\r\n"));
    const TOptions loaded = LoadOptions(path(), Dot);
    EXPECT_EQ(loaded, options);
    EXPECT_NEAR(ConvertIToQ(1, loaded.D_QI_ConversionRatio), 1000.0 / 6.0, 1e-12);

    options.D_QI_ConversionRatio = 166.6667;
    ASSERT_TRUE(SaveOptions(path(), options, QLatin1Char(',')));
    EXPECT_TRUE(read().contains("QI_ConversionRatio=166,6667\r\n"));
    EXPECT_EQ(LoadOptions(path(), QLatin1Char(',')).D_QI_ConversionRatio, 166.6667);
}

TEST_F(OptionsFile, SavingKeepsEveryOtherSectionAndKeyByteForByte) {
    const QByteArray before = "; written by hand\n[Window]\nLeft=10\n  Top = 20 \n\n";
    const QByteArray after = "[Recent]\r\nFile1=C:\\storms\\a.txt\r\nextra line without equals";
    write(before + "[options]\nprecision=7\nCustom=kept\n\n" + after);

    TOptions options;
    options.Int_Precision = 2;
    ASSERT_TRUE(SaveOptions(path(), options, Dot));
    const QByteArray saved = read();
    ASSERT_TRUE(saved.startsWith(before + "[options]\nprecision=2\nCustom=kept\nShowLabel_P=1\n"));
    EXPECT_TRUE(saved.endsWith("Font_RainModelInfo=\"Arial\", 9, [Bold], "
                               "[clWindowText]\nIntervalAverage=0\nReportIdfCheck=0\n\n" +
                               after));
    EXPECT_EQ(saved.count("[options]"), 1);
    EXPECT_EQ(LoadOptions(path(), Dot).Int_Precision, 2);
}

TEST_F(OptionsFile, AFileWithoutTheSectionGetsItAtTheEnd) {
    write("[Other]\r\nA=1");
    ASSERT_TRUE(SaveOptions(path(), TOptions{}, Dot));
    EXPECT_EQ(read(), "[Other]\r\nA=1\r\n" + FreshFile);
}

TEST_F(OptionsFile, UnreadableValuesFallBackToTheirDefaults) {
    write("\xEF\xBB\xBF[OPTIONS]\n"
          "ShowLabel_P=yes\n"
          "ShowLabel_T=2\n"
          "ShowLabel_R=0\n"
          "SHOWAXIS_OVERALL = 0x0\n"
          "Precision=4.5\n"
          "TimeFormat=7\n"
          "StormUnit=-1\n"
          "QI_ConversionRatio=abc\n"
          "Font_LeftAxis=\"Courier\", 11, [Italic], [clNavy]\n");
    const TOptions options = LoadOptions(path(), Dot);
    EXPECT_TRUE(options.Bool_ShowLabel_P);
    EXPECT_TRUE(options.Bool_ShowLabel_T);
    EXPECT_FALSE(options.Bool_ShowLabel_R);
    EXPECT_FALSE(options.Bool_ShowAxis_Overall_Rainfall);
    EXPECT_EQ(options.Int_Precision, 4);
    EXPECT_EQ(options.Int_TimeForamtidx, 7); // not range-checked
    EXPECT_EQ(options.Int_StormUnitidx, -1);
    EXPECT_EQ(options.D_QI_ConversionRatio, 167.0);
    EXPECT_EQ(options.Font_LeftAxis, "\"Courier\", 11, [Italic], [clNavy]");
    EXPECT_EQ(options.Font_LeftTitle, DefaultAxisFontText);
}

TEST_F(OptionsFile, AFailedSaveSaysWhyAndLeavesTheFileAlone) {
    write("[OPTIONS]\nPrecision=7\n");
    const QString blocked = folder.filePath(QStringLiteral("options.ini/inside.ini"));
    const Status intoAFile = SaveOptions(blocked, TOptions{}, Dot);
    EXPECT_FALSE(intoAFile);
    EXPECT_EQ(
        intoAFile.message(),
        QStringLiteral("无法写入文件“%1”：%2").arg(blocked, velmora::SystemReasonText(ENOTDIR)));
    EXPECT_EQ(read(), "[OPTIONS]\nPrecision=7\n");

    const QString folderItself = folder.path();
    EXPECT_FALSE(SaveOptions(folderItself, TOptions{}, Dot));
    EXPECT_TRUE(QDir(folderItself).exists());

    TOptions changed;
    changed.Int_Precision = 2;
    {
        const velmora::testing::FileSizeLimit fullDisk(100);
        const Status onAFullDisk = SaveOptions(path(), changed, Dot);
        EXPECT_EQ(
            onAFullDisk.message(),
            QStringLiteral("无法写入文件“%1”：%2").arg(path(), velmora::SystemReasonText(EFBIG)));
    }
    EXPECT_EQ(read(), "[OPTIONS]\nPrecision=7\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("options.ini")});
}

TEST_F(OptionsFile, APipeAsTheFileGivesTheDefaultsAtOnceAndIsNotWritten) {
    VELMORA_SKIP_WITHOUT_FIFOS_AND_LINKS();
    ASSERT_TRUE(velmora::testing::MakeFifo(path())); // no writer: reading would wait for ever
    EXPECT_EQ(LoadOptions(path(), Dot).Int_Precision, TOptions{}.Int_Precision);
    EXPECT_FALSE(SaveOptions(path(), TOptions{}, Dot));
    EXPECT_FALSE(QFileInfo(path()).isFile());
}

TEST_F(OptionsFile, AnOversizedFileGivesTheDefaultsAndIsNotOverwritten) {
    const QByteArray oversized = "[OPTIONS]\nPrecision=7\n" + QByteArray(MaxOptionsFileBytes, ';');
    write(oversized);
    EXPECT_EQ(LoadOptions(path(), Dot).Int_Precision, TOptions{}.Int_Precision);
    EXPECT_FALSE(SaveOptions(path(), TOptions{}, Dot));
    EXPECT_EQ(read(), oversized);
}
