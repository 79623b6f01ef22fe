#include "settings_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
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

#ifdef _WIN32
// The roaming folder follows the user to other machines; Qt's generic
// configuration folder on Windows is the local one.
TEST(SettingsFolder, OnWindowsTheBaseIsTheRoamingApplicationDataFolder) {
    EXPECT_EQ(QDir::fromNativeSeparators(DefaultSettingsBase()),
              QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA")));
    EXPECT_NE(DefaultSettingsBase(),
              QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}
#endif
