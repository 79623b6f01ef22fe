// The main of the tests that need Qt's event loop but no windows.

#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
