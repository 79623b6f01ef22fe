#pragma once

#include "main_window.h"
#include "result_grid.h"
#include "scripted_desktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velmora::testing {

// A main window started offscreen on a settings folder of its own, with a
// scripted desktop.
class MainWindowFixture : public ::testing::Test {
protected:
    QTemporaryDir base;
    ScriptedDesktop desktop;
    std::unique_ptr<TFormQuorvel> window;

    QString optionsPath() const { return base.filePath(QStringLiteral("Kestrova/Quorvel/options.ini")); }

    void writeOptions(const QByteArray& bytes) {
        QDir().mkpath(base.filePath(QStringLiteral("Kestrova/Quorvel")));
        QFile file(optionsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void start() {
        window = std::make_unique<TFormQuorvel>(desktop, base.path());
        window->show();
    }
    QString cell(int gridRow, int column) const {
        const auto& model = window->grid().gridModel();
        return model.data(model.index(gridRow - 1, column), Qt::DisplayRole).toString();
    }
    template <typename T> T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};

} // namespace velmora::testing
