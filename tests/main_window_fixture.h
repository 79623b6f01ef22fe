#pragma once

#include "hyetograph_chart.h"
#include "info_label.h"
#include "main_window.h"
#include "qstring_printer.h"
#include "result_grid.h"
#include "scripted_desktop.h"
#include "settings_folder.h"
#include "storm_session.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace velmora::testing {

// A main window started offscreen on a session with a settings folder of its
// own, and a scripted desktop.
class MainWindowFixture : public ::testing::Test {
protected:
    QTemporaryDir base;
    ScriptedDesktop desktop;
    std::unique_ptr<StormSession> session;
    std::unique_ptr<TFormQuorvel> window;

    QString optionsPath() const {
        return base.filePath(QStringLiteral("Kestrova/Quorvel/options.ini"));
    }

    void writeOptions(const QByteArray& bytes) {
        QDir().mkpath(base.filePath(QStringLiteral("Kestrova/Quorvel")));
        ASSERT_TRUE(velmora::testing::WriteBytes(optionsPath(), bytes));
    }
    void start() {
        session = std::make_unique<StormSession>(OptionsFileIn(base.path()));
        window = std::make_unique<TFormQuorvel>(*session, desktop);
        window->show();
    }
    // Changes the current storm as `edit` says and shows it computed; the
    // current storm file stays.
    template <typename Edit> void changeStorm(const Edit& edit) {
        TExpressionObject storm = session->storm();
        edit(storm);
        const QString file = session->currentStormFile();
        session->newStorm(storm);
        session->setCurrentStormFile(file);
        window->RefreshHyetograph();
    }
    template <typename Edit> void changeOptions(const Edit& edit) {
        TOptions options = session->options();
        edit(options);
        session->setOptions(options);
        window->RefreshHyetograph();
    }

    // Leaves the window without a table, as a computation that fails does: a
    // storm the session takes in mm/min, whose rain overflows once summed in mm/h.
    void failComputation() {
        changeStorm([](TExpressionObject& storm) { storm.a1 = 1e306; });
        changeOptions([](TOptions& options) { options.Int_StormUnitidx = MillimetresPerHour; });
    }

    template <typename T> T* find(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    HyetographChart& chart() const { return *find<HyetographChart>("Chart1"); }
    ResultGrid& grid() const { return *find<ResultGrid>("GridData"); }
    std::array<InfoLabel*, 5> infoLabels() const {
        return {find<InfoLabel>("Label_P"), find<InfoLabel>("Label_T"), find<InfoLabel>("Label_r"),
                find<InfoLabel>("Label_Overall_Rainfall"),
                find<InfoLabel>("Label_Average_Rainfall_Intensity")};
    }
    // Whether the chart shows its series "降雨总量" (the bars) or "降雨强度" (the line).
    bool seriesShown(const QString& name) const {
        for (int i = 0; i < chart().plottableCount(); ++i)
            if (chart().plottable(i)->name() == name)
                return chart().plottable(i)->visible();
        ADD_FAILURE() << "no series " << name.toStdString();
        return false;
    }
    bool barsShown() const { return seriesShown(QStringLiteral("降雨总量")); }
    bool lineShown() const { return seriesShown(QStringLiteral("降雨强度")); }
    double leftAxisTop() const { return chart().yAxis->range().upper; }
    // The right axis reaches beyond its maximum by a share of the chart's height.
    double rightAxisTop() const { return chart().yAxis2->range().upper; }
    // Every how many points the time axis has a label.
    int labelStep() const {
        const QVector<double> ticks = chart().xAxis->tickVector();
        EXPECT_GE(ticks.size(), 2);
        return ticks.size() >= 2 ? static_cast<int>(ticks[1] - ticks[0]) : 0;
    }
    QString cell(int gridRow, int column) const {
        const auto& model = grid().gridModel();
        return model.data(model.index(gridRow - 1, column), Qt::DisplayRole).toString();
    }
};

} // namespace velmora::testing
