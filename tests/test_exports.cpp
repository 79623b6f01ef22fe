#include "calculation_report.h"
#include "document_chart.h"
#include "file_size_limit.h"
#include "hyetograph_chart.h"
#include "info_label.h"
#include "main_window_fixture.h"
#include "qstring_printer.h"
#include "system_reason.h"
#include "test_files.h"
#include "zip_archive.h"
#include "zip_entry_bytes.h"

#include <QAction>
#include <QImage>
#include <QPushButton>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <zlib.h>

using namespace velmora;
using velmora::testing::EntryBytes;
using velmora::testing::ScriptedDesktop;

namespace {

using velmora::testing::Contents;
using velmora::testing::WriteBytes;

QByteArray Golden(const char* name) {
    return Contents(QStringLiteral(VELMORA_TEST_DATA "/") + QString::fromLatin1(name));
}

class Exports : public velmora::testing::MainWindowFixture {
protected:
    QTemporaryDir files;
    void SetUp() override { start(); }
    QString path(const char* name) const { return files.filePath(QString::fromUtf8(name)); }

    void exportAs(const char* action, const QString& chosen, int type = 0) {
        desktop.saveAnswers.push_back(FileDialogAnswer{chosen, type});
        find<QAction>(action)->trigger();
    }
    int informationCount() const {
        int count = 0;
        for (const auto& message : desktop.messages)
            count += message.kind == ScriptedDesktop::Message::Information;
        return count;
    }
    QImage chartPicture() const {
        chart().replot();
        return chart().grab().toImage().convertToFormat(QImage::Format_RGB888);
    }
};

// The filter byte of every row of a PNG's image data and its zlib header.
struct PngRows {
    QList<int> filters;
    int zlibLevelBits = -1;
};

PngRows ReadPngRows(const QByteArray& png, int width, int height) {
    QByteArray compressed;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const auto length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        if (type == "IDAT")
            compressed += png.mid(at + 8, length);
        at += 12 + length;
    }
    PngRows rows;
    if (compressed.size() < 2)
        return rows;
    rows.zlibLevelBits = (static_cast<unsigned char>(compressed[1]) >> 6) & 3;
    const auto rowBytes = static_cast<qsizetype>(1 + 3 * width);
    QByteArray raw(rowBytes * height, '\0');
    uLongf size = static_cast<uLongf>(raw.size());
    if (uncompress(reinterpret_cast<Bytef*>(raw.data()), &size,
                   reinterpret_cast<const Bytef*>(compressed.constData()),
                   static_cast<uLong>(compressed.size())) != Z_OK)
        return rows;
    for (int y = 0; y < height; ++y)
        rows.filters << static_cast<unsigned char>(raw[y * rowBytes]);
    return rows;
}

struct JpegFacts {
    int width = 0, height = 0;
    bool baseline = false;
    std::array<unsigned, 64> luminance{}, chrominance{};
};

JpegFacts ReadJpeg(const QByteArray& bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    JpegFacts facts{static_cast<int>(info.output_width),
                    static_cast<int>(info.output_height),
                    !info.progressive_mode && info.data_precision == 8,
                    {},
                    {}};
    for (int i = 0; i < 64; ++i) {
        facts.luminance[i] = info.quant_tbl_ptrs[0]->quantval[i];
        facts.chrominance[i] = info.quant_tbl_ptrs[1]->quantval[i];
    }
    std::vector<unsigned char> row(info.output_width * info.output_components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return facts;
}

// libjpeg's own tables for quality 90.
std::pair<std::array<unsigned, 64>, std::array<unsigned, 64>> Quality90Tables() {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    std::pair<std::array<unsigned, 64>, std::array<unsigned, 64>> tables;
    for (int i = 0; i < 64; ++i) {
        tables.first[i] = info.quant_tbl_ptrs[0]->quantval[i];
        tables.second[i] = info.quant_tbl_ptrs[1]->quantval[i];
    }
    jpeg_destroy_compress(&info);
    return tables;
}

} // namespace

// velmora-cli draws the report's chart without a window: pixel for pixel the
// window's own picture, whatever the options show and the storms compared.
TEST_F(Exports, TheDocumentsChartWithoutTheWindowIsTheWindowsPicture) {
    const struct {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"the default storm", [] {}},
        {"a day in hours and minutes, mm/h",
         [this] {
             changeStorm([](TExpressionObject& s) {
                 s.Storm_Time = 1440;
                 s.Storm_Step = 5;
             });
             changeOptions([](TOptions& o) {
                 o.Int_TimeForamtidx = HoursAndMinutesFormat;
                 o.Int_StormUnitidx = MillimetresPerHour;
             });
         }},
        {"a hidden line and label, another font",
         [this] {
             changeOptions([](TOptions& o) {
                 o.Bool_ShowAxis_Rainfall_Intensity = false;
                 o.Bool_ShowLabel_T = false;
                 o.Font_RainModelInfo = QStringLiteral("\"Arial\", 12, [Italic], [clRed]");
             });
         }},
        {"two storms compared",
         [this] {
             ASSERT_TRUE(session->addToComparison());
             changeStorm([](TExpressionObject& s) { s.Storm_RepeatYear = 10; });
         }},
    };
    DocumentChart document;
    const QSize size = ReportChartPictureSize(document.logicalDpiX());
    for (const auto& c : cases) {
        c.change();
        const QImage own = window->ChartPicture(size, ReportChartPixelRatio);
        EXPECT_EQ(document.picture(*session, size, ReportChartPixelRatio), own) << c.what;
        EXPECT_EQ(own.size(), 2 * size) << c.what;
    }
}

TEST_F(Exports, CsvOfTheDefaultStormByteForByte) {
    exportAs("MenuSaveDataToExcel", path("table"));
    ASSERT_EQ(desktop.fileDialogs.size(), 1u);
    const FileDialogRequest& request = desktop.fileDialogs[0];
    EXPECT_EQ(request.title, QStringLiteral("保存雨型数据"));
    EXPECT_EQ(request.proposedName, QStringLiteral("芝加哥雨型计算数据P=2年 t=120分 r=0.4.csv"));
    EXPECT_EQ(request.types[0].name, QStringLiteral("Excel文件(*.csv)"));
    EXPECT_EQ(request.types[1].name, QStringLiteral("所有文件(*.*)"));
    EXPECT_TRUE(request.askOverwrite);
    EXPECT_EQ(Contents(path("table.csv")), Golden("default_storm.csv")); // 121 rows, 122 lines
    ASSERT_EQ(desktop.openedFiles.size(), 1u);
    EXPECT_EQ(desktop.openedFiles[0], path("table.csv"));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(session->options().Int_TimeForamtidx, 1); // the CSV export changes no option
}

TEST_F(Exports, SwmmSwitchesTheDisplayOnceAndWritesHoursMinutesAndMillimetresPerHour) {
    exportAs("MenuSaveDataToSWMM1", path("abc.csv"));
    ASSERT_EQ(informationCount(), 1);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral(
                  "SWMM的时间格式应该为(时:分)，降雨强度单位应该为(毫米/时)\r\n已经自动切换！"));
    EXPECT_EQ(desktop.fileDialogs[0].proposedName,
              QStringLiteral("芝加哥雨型计算数据P=2年 t=120分 r=0.4.dat"));
    EXPECT_EQ(desktop.fileDialogs[0].types[0].name, QStringLiteral("SWMM文件(*.dat)"));
    EXPECT_EQ(Contents(path("abc.dat")), Golden("default_storm.dat")); // 121 rows, 123 lines
    ASSERT_EQ(desktop.editedFiles.size(), 1u);
    EXPECT_EQ(desktop.editedFiles[0], path("abc.dat"));
    EXPECT_EQ(cell(49, 0), "00:48"); // the window shows what was written
    EXPECT_FALSE(QFile::exists(optionsPath()));

    exportAs("MenuSaveDataToSWMM", path("again"));
    EXPECT_EQ(informationCount(), 1); // no message the second time
    EXPECT_EQ(Contents(path("again.dat")), Golden("default_storm.dat"));

    // A CSV written now carries the switched headings.
    exportAs("MenuSaveDataToExcel1", path("after.txt"));
    EXPECT_EQ(Contents(path("after.csv")), Golden("default_storm_hm_mmh.csv"));
}

TEST_F(Exports, SwmmNumbersUseAPointWhateverTheUsersSeparator) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    window->RefreshHyetograph();
    exportAs("MenuSaveDataToExcel", path("comma"));
    exportAs("MenuSaveDataToSWMM", path("point"));
    QLocale::setDefault(QLocale::c());
    // Where numbers have a decimal comma, the fields are separated by ";".
    EXPECT_TRUE(Contents(path("comma.csv")).startsWith("\xca\xb1\xbc\xe4(min);"));
    EXPECT_TRUE(Contents(path("comma.csv")).contains("\r\n48;3,3599;25,9954\r\n"));
    EXPECT_EQ(Contents(path("point.dat")), Golden("default_storm.dat"));
}

TEST_F(Exports, AnEmptyTableIsRefusedWithItsMessage) {
    failComputation();
    desktop.messages.clear();
    find<QAction>("MenuSaveDataToExcel")->trigger();
    find<QAction>("MenuSaveDataToSWMM")->trigger();
    find<QAction>("Menu_SavePng1")->trigger();
    ASSERT_EQ(desktop.messages.size(), 3u);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("没有数据可以保存~\r\n点击“添加”按钮，添加新曲线"));
    EXPECT_EQ(desktop.messages[1].text, desktop.messages[0].text);
    EXPECT_EQ(desktop.messages[2].text,
              QStringLiteral("没有曲线可以保存~\r\n点击“添加”按钮，添加新曲线"));
    EXPECT_TRUE(desktop.fileDialogs.empty());
    EXPECT_EQ(session->options().Int_TimeForamtidx, 1);
}

TEST_F(Exports, ReplacedEndingsAskBeforeReplacingAFileAndFailedWritesSayWhy) {
    ASSERT_TRUE(WriteBytes(path("kept.csv"), "old"));
    desktop.yesNoAnswers.push_back(false);
    exportAs("MenuSaveDataToExcel", path("kept.txt"));
    EXPECT_EQ(desktop.messages.back().kind, ScriptedDesktop::Message::Question);
    EXPECT_EQ(Contents(path("kept.csv")), "old");
    EXPECT_TRUE(desktop.openedFiles.empty());

    exportAs("MenuSaveDataToExcel", path("kept.csv/inside"));
    EXPECT_EQ(desktop.messages.back().kind, ScriptedDesktop::Message::Error);
    EXPECT_EQ(desktop.messages.back().text,
              QStringLiteral("无法写入文件“%1”：%2")
                  .arg(path("kept.csv/inside.csv"), velmora::SystemReasonText(ENOTDIR)));
    EXPECT_TRUE(desktop.openedFiles.empty());
    EXPECT_EQ(Contents(path("kept.csv")), "old");
}

TEST_F(Exports, PicturesFollowTheTypeSelectedWhenTheDialogClosed) {
    exportAs("Menu_SaveJpg", path("chart.jpg"), 2); // switched to "PNG文件"
    ASSERT_EQ(desktop.fileDialogs.size(), 1u);
    const FileDialogRequest& request = desktop.fileDialogs[0];
    EXPECT_EQ(request.title, QStringLiteral("保存曲线图片"));
    EXPECT_EQ(request.proposedName, QStringLiteral("芝加哥雨型P=2年 t=120分 r=0.4.jpg"));
    EXPECT_EQ(request.selectedType, 1);
    ASSERT_EQ(request.types.size(), 3u);
    EXPECT_EQ(request.types[0].name, QStringLiteral("位图文件"));
    EXPECT_EQ(request.types[2].mask, QStringLiteral("*.png"));
    EXPECT_FALSE(QFile::exists(path("chart.jpg")));
    EXPECT_TRUE(QFile::exists(path("chart.png")));
    EXPECT_EQ(desktop.openedFiles.back(), path("chart.png"));

    exportAs("Menu_SavePng1", path("abc.jpg"), 0);
    EXPECT_TRUE(QFile::exists(path("abc.bmp")));
}

TEST_F(Exports, BmpAndPngHoldTheChartsPixels) {
    const QImage shown = chartPicture();
    EXPECT_EQ(shown.size(), chart().size());
    exportAs("Menu_SaveBmp1", path("chart"), 0);
    exportAs("Menu_SavePng1", path("chart"), 2);

    const QByteArray bmp = Contents(path("chart.bmp"));
    EXPECT_EQ(qFromLittleEndian<quint16>(bmp.constData() + 28), 24); // bits per pixel
    EXPECT_EQ(qFromLittleEndian<quint32>(bmp.constData() + 30), 0u); // no compression
    EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB888), shown);

    const QByteArray png = Contents(path("chart.png"));
    const QImage decoded = QImage::fromData(png, "PNG");
    EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB888), shown);
    EXPECT_EQ(static_cast<unsigned char>(png[24]), 8); // bit depth
    EXPECT_EQ(static_cast<unsigned char>(png[25]), 2); // colour type RGB
    EXPECT_EQ(static_cast<unsigned char>(png[28]), 0); // not interlaced
    const PngRows rows = ReadPngRows(png, shown.width(), shown.height());
    EXPECT_EQ(rows.zlibLevelBits, 3); // FLEVEL 3: levels 7 to 9
    ASSERT_EQ(rows.filters.size(), shown.height());
    EXPECT_EQ(rows.filters.count(1), shown.height()); // Sub on every row
}

TEST_F(Exports, JpegIsBaselineAtQuality90) {
    exportAs("Menu_SaveJpg1", path("chart"), 1);
    const JpegFacts facts = ReadJpeg(Contents(path("chart.jpg")));
    EXPECT_EQ(facts.width, chart().width());
    EXPECT_EQ(facts.height, chart().height());
    EXPECT_TRUE(facts.baseline);
    const auto [luminance, chrominance] = Quality90Tables();
    EXPECT_EQ(facts.luminance, luminance);
    EXPECT_EQ(facts.chrominance, chrominance);
}

TEST_F(Exports, ThePictureShowsTheLabelsAsTheyStand) {
    InfoLabel* moved = infoLabels()[0];
    moved->move(300, 40);
    const QImage label = moved->grab().toImage().convertToFormat(QImage::Format_RGB888);
    exportAs("Menu_SavePng1", path("moved.png"), 2);
    const QImage withLabel = QImage(path("moved.png")).convertToFormat(QImage::Format_RGB888);
    EXPECT_EQ(withLabel.copy(moved->geometry()), label);

    changeOptions([](TOptions& options) { options.Bool_ShowLabel_P = false; });
    exportAs("Menu_SavePng1", path("hidden.png"), 2);
    const QImage without = QImage(path("hidden.png")).convertToFormat(QImage::Format_RGB888);
    EXPECT_NE(without.copy(moved->geometry()), label);
    EXPECT_EQ(without, chartPicture());
}

// The row selected in the grid is marked on the screen only.
TEST_F(Exports, PicturesLeaveOutTheMarksOfTheSelectedRow) {
    const QSize reportSize(700, 450);
    const QImage plain = chartPicture();
    const QImage plainReport = window->ChartPicture(reportSize);
    grid().setCurrentGridRow(49);
    ASSERT_EQ(chart().highlightedBarPoint(), 48);
    ASSERT_EQ(chart().highlightedLinePoint(), 48);
    EXPECT_NE(chartPicture(), plain);

    exportAs("Menu_SavePng1", path("selected.png"), 2);
    EXPECT_EQ(QImage(path("selected.png")).convertToFormat(QImage::Format_RGB888), plain);
    EXPECT_EQ(window->ChartPicture(reportSize), plainReport);
    // The screen keeps them.
    EXPECT_EQ(chart().highlightedBarPoint(), 48);
    EXPECT_NE(chartPicture(), plain);
}

TEST_F(Exports, WordTableFromBothMenusWithTheForcedExtensionAndAPublishThatFailsSaysSo) {
    exportAs("MenuSaveDataToWord", path("table"));
    const FileDialogRequest& asked = desktop.fileDialogs.back();
    EXPECT_EQ(asked.title, QStringLiteral("保存雨型数据"));
    EXPECT_EQ(asked.proposedName, QStringLiteral("芝加哥雨型计算数据 P=2年 T=120分 R=0.4.docx"));
    ASSERT_EQ(asked.types.size(), 2u);
    EXPECT_EQ(asked.types[0].name, QStringLiteral("Word文件(*.docx)"));
    EXPECT_EQ(asked.types[0].mask, QStringLiteral("*.docx"));
    const auto entries = ReadZipArchive(Contents(path("table.docx")));
    ASSERT_TRUE(entries) << entries.message().toStdString();
    EXPECT_EQ(entries->front().name, QStringLiteral("[Content_Types].xml"));
    EXPECT_EQ(desktop.openedFiles, std::vector<QString>{path("table.docx")});

    exportAs("MenuSaveDataToWord1", path("table.docx"));
    EXPECT_EQ(desktop.openedFiles.size(), 2u);
    {
        const velmora::testing::FileSizeLimit fullDisk(100);
        exportAs("MenuSaveDataToWord1", path("table.docx"));
    }
    EXPECT_EQ(desktop.messages.back().title, QStringLiteral("错误"));
    // A full disk is not a document held open elsewhere: only the real reason.
    EXPECT_EQ(desktop.messages.back().text,
              QStringLiteral("无法写入文件“%1”：%2")
                  .arg(path("table.docx"), velmora::SystemReasonText(EFBIG)));
    EXPECT_EQ(desktop.openedFiles.size(), 2u);
    EXPECT_TRUE(ReadZipArchive(Contents(path("table.docx")))); // the earlier document stays whole
    EXPECT_EQ(QDir(files.path()).entryList(QDir::Files), QStringList{QStringLiteral("table.docx")});
}

TEST_F(Exports, TheReportHoldsTheChartDrawnAtItsSizeAndTheWindowKeepsItsChart) {
    const QSize shown = chart().size();
    desktop.saveAnswers.push_back(FileDialogAnswer{path("report"), 1});
    find<QPushButton>("Button_OutputResult")->click();
    const FileDialogRequest& asked = desktop.fileDialogs.back();
    EXPECT_EQ(asked.proposedName, QStringLiteral("雨型计算书 P=2年 T=120分 R=0.4.docx"));
    EXPECT_EQ(asked.selectedType, 1);
    ASSERT_EQ(asked.types.size(), 3u);
    EXPECT_EQ(asked.types[2].mask, QStringLiteral("*.xlsx"));

    const auto entries = ReadZipArchive(Contents(path("report.docx")));
    ASSERT_TRUE(entries) << entries.message().toStdString();
    const QImage picture =
        QImage::fromData(EntryBytes(*entries, QStringLiteral("word/media/image9.png")), "PNG");
    // Twice the pixels of the frame it fills, which stays as the template has it.
    EXPECT_EQ(picture.size(), ReportChartPictureSize(window->logicalDpiX()) * 2);
    const QByteArray document = EntryBytes(*entries, QStringLiteral("word/document.xml"));
    EXPECT_EQ(document.count("<wp:extent cx=\"5267325\" cy=\"3810000\"/>"), 1);
    EXPECT_EQ(document.count("<a:ext cx=\"5267325\" cy=\"3810000\"/>"), 1);
    EXPECT_EQ(chart().size(), shown);
    EXPECT_EQ(desktop.openedFiles, std::vector<QString>{path("report.docx")});
}

TEST_F(Exports, TheReportNamesTheComparedStormsItsChartShows) {
    find<QAction>("Menu_AddToComparison")->trigger();
    changeStorm([](TExpressionObject& storm) {
        storm.Storm_RepeatYear = 10;
        storm.Storm_Time = 60;
    });
    find<QAction>("Menu_AddToComparison")->trigger();
    changeStorm([](TExpressionObject& storm) { storm.Storm_RepeatYear = 5; });
    exportAs("Menu_outputResult", path("compared.docx"), 1);

    const auto entries = ReadZipArchive(Contents(path("compared.docx")));
    ASSERT_TRUE(entries) << entries.message().toStdString();
    const QByteArray document = EntryBytes(*entries, QStringLiteral("word/document.xml"));
    const QByteArray sentence =
        "<w:t>图中另有对比雨型：P=2年 T=120分 r=0.4、P=10年 T=60分 r=0.4。</w:t>";
    EXPECT_EQ(document.count(sentence), 1);
    EXPECT_LT(document.indexOf("<w:drawing>"), document.indexOf(sentence));
}

TEST_F(Exports, TheWorkbookFromTheButtonWithTheThirdTypeSelected) {
    desktop.saveAnswers.push_back(FileDialogAnswer{path("chart.csv"), 0});
    find<QPushButton>("btn_OutputExcelPicData")->click();
    const FileDialogRequest& asked = desktop.fileDialogs.back();
    EXPECT_EQ(asked.proposedName, QStringLiteral("Excel图表 P=2年 T=120分 R=0.4.xlsx"));
    EXPECT_EQ(asked.selectedType, 2);
    const auto entries = ReadZipArchive(Contents(path("chart.xlsx")));
    ASSERT_TRUE(entries) << entries.message().toStdString();
    EXPECT_EQ(desktop.openedFiles, std::vector<QString>{path("chart.xlsx")});

    failComputation(); // no table
    desktop.messages.clear();
    find<QAction>("mni_OutputExcelPicData")->trigger();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              QStringLiteral("没有数据可以保存~\r\n点击“添加”按钮，添加新曲线"));
}

TEST_F(Exports, AWrittenFileThatNoProgramOpensIsNamedInACopyableMessage) {
    desktop.opensAnything = false;
    const struct {
        const char* action;
        const char* chosen;
        int type;
        const char* written;
    } cases[] = {
        {"MenuSaveDataToExcel", "t", 0, "t.csv"}, {"MenuSaveDataToWord1", "w", 0, "w.docx"},
        {"MenuSaveDataToSWMM", "s", 0, "s.dat"},  {"Menu_SavePng1", "p", 2, "p.png"},
        {"Menu_outputResult", "r", 1, "r.docx"},  {"mni_OutputExcelPicData", "x", 2, "x.xlsx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        desktop.messages.clear();
        exportAs(c.action, path(c.chosen), c.type);
        ASSERT_FALSE(desktop.messages.empty());
        const auto& told = desktop.messages.back();
        EXPECT_EQ(told.kind, ScriptedDesktop::Message::Copyable);
        EXPECT_EQ(told.title, QStringLiteral("提示"));
        EXPECT_EQ(told.text,
                  QStringLiteral("文件已保存到“%1”，但没有找到打开它的程序").arg(path(c.written)));
        EXPECT_TRUE(QFileInfo(path(c.written)).size() > 0);
    }
    EXPECT_EQ(desktop.editedFiles, std::vector<QString>{path("s.dat")});
    EXPECT_EQ(desktop.openedFiles.size(), 5u);
}
