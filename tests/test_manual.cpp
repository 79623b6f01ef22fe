// The user manual as the build writes it beside the program.

#include "test_files.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QByteArray ManualBytes() {
    return velmora::testing::Contents(QString::fromUtf8(VELMORA_MANUAL_PDF));
}

} // namespace

TEST(Manual, IsAPdfOfManyPagesWithItsFontsAndPicturesOfTheWindow) {
    const QByteArray pdf = ManualBytes();
    ASSERT_TRUE(pdf.startsWith("%PDF-1.")) << VELMORA_MANUAL_PDF;
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_GE(pdf.count("/Type /Page\n"), 10);
    // The Chinese text is set in an embedded font, not left to the reader's.
    EXPECT_TRUE(pdf.contains("WenQuanYiZenHei"));
    EXPECT_GE(pdf.count("/FontFile2"), 1);

    // The main window, 800 pixels wide, taken at twice the pixel density.
    const QRegularExpression image(
        QStringLiteral("/Subtype /Image\\n/Width (\\d+)\\n/Height (\\d+)"));
    int windowPictures = 0;
    int pictures = 0;
    for (auto it = image.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); ++pictures) {
        const auto match = it.next();
        if (match.captured(1).toInt() == 1600 && match.captured(2).toInt() > 960)
            ++windowPictures;
    }
    EXPECT_GE(windowPictures, 2);
    EXPECT_GE(pictures, 10);
}
