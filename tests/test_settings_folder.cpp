#include "settings_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velmora;

TEST(SettingsFolder, IsCreatedWithItsParentsWhateverTheBaseEndsWith) {
    QTemporaryDir temporary;
    const QString base = temporary.filePath(QStringLiteral("a/b"));
    const QString folder = EnsureSettingsFolder(base);
    EXPECT_EQ(folder, base + QStringLiteral("/Kestrova/Quorvel/"));
    EXPECT_TRUE(QDir(folder).exists());
    EXPECT_EQ(EnsureSettingsFolder(base + QLatin1Char('/')), folder);
}

TEST(SettingsFolder, IsEmptyWhenItCannotBeMade) {
    QTemporaryDir temporary;
    const QString blocker = temporary.filePath(QStringLiteral("file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(EnsureSettingsFolder(blocker).isEmpty());
    EXPECT_TRUE(EnsureSettingsFolder(QString()).isEmpty());
}
