#include "desktop_opener.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace velmora;

namespace {

// xdg-open as a script in a folder of its own that is all of PATH: it notes
// what it was given and ends as `script` says.
class FakeOpener {
public:
    explicit FakeOpener(const QByteArray& script) : oldPath_(qgetenv("PATH")) {
        if (!script.isEmpty()) {
            QFile opener(folder_.filePath(QStringLiteral("xdg-open")));
            EXPECT_TRUE(opener.open(QIODevice::WriteOnly));
            opener.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.given\"\n" + script + '\n');
            opener.close();
            opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(folder_.path()));
    }
    ~FakeOpener() { qputenv("PATH", oldPath_); }
    QString given() const {
        QFile file(folder_.filePath(QStringLiteral("xdg-open.given")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private:
    QTemporaryDir folder_;
    QByteArray oldPath_;
};

} // namespace

TEST(DesktopOpener, SaysNotOpenedWhenXdgOpenEndsWithAFailureOrIsMissing) {
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows' shell answers at once";
#endif
    const struct {
        const char* script;
        bool notOpened;
    } cases[] = {
        {"echo 'xdg-open: no method available for opening' >&2; exit 3", true},
        {"exit 4", true},
        {"exit 0", false},
        {"", true}, // no xdg-open at all
    };
    for (const auto& c : cases) {
        const FakeOpener opener(c.script);
        QObject context;
        bool said = false;
        OpenThroughDesktop(QUrl::fromLocalFile(QStringLiteral("/data/报告.docx")), &context,
                           [&said] { said = true; });
        // The opener has ended when its process is gone: it deletes itself then.
        QTest::qWait(c.notOpened ? 0 : 500);
        EXPECT_EQ(QTest::qWaitFor([&said] { return said; }, c.notOpened ? 5000 : 0), c.notOpened)
            << c.script;
        if (*c.script) {
            EXPECT_EQ(opener.given(), QStringLiteral("/data/报告.docx"));
        }
    }
}
