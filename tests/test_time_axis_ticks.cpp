#include "options.h"
#include "qstring_printer.h"
#include "time_axis_ticks.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velmora;

namespace {

// The times of a storm's rows: every step-th minute and the last.
QVector<double> Rows(int duration, int step = 1) {
    QVector<double> times;
    for (int minute = 0; minute < duration; minute += step)
        times.append(minute);
    times.append(duration);
    return times;
}

struct Case {
    const char* name;
    QVector<double> slotTimes;
    int axisPixels;
    int labelPixels;
    bool hoursAndMinutes;
    double step;
    QVector<double> tail; // the last labelled minutes
};

} // namespace

TEST(TimeAxisTicks, RoundStepsAsDenseAsTheLabelsAllowEndingOnTheStormsEnd) {
    const Case cases[] = {
        {"T=120, wide", Rows(120), 600, 24, false, 5, {110, 115, 120}},
        {"T=120, narrow", Rows(120), 300, 24, false, 10, {100, 110, 120}},
        {"T=120, very wide", Rows(120), 1200, 24, false, 5, {115, 120}},
        {"T=150, narrow", Rows(150), 300, 24, false, 15, {120, 135, 150}},
        {"T=150, wide", Rows(150), 600, 24, false, 10, {130, 140, 150}},
        {"T=1440", Rows(1440), 600, 36, false, 120, {1200, 1320, 1440}},
        {"T=10080", Rows(10080), 600, 45, false, 1440, {7200, 8640, 10080}},
        // Two days a step; the last step's label stands too close to the end.
        {"T=10080, narrow", Rows(10080), 250, 45, false, 2880, {2880, 5760, 10080}},
        {"T=125, end off the step", Rows(125), 300, 24, false, 15, {90, 105, 125}},
        {"step 5", Rows(60, 5), 600, 24, false, 5, {50, 55, 60}},
        // Labels between the rows of 7 minutes, at the times they read.
        {"step 7", Rows(120, 7), 400, 24, false, 10, {100, 110, 120}},
        {"a comparison to 240 minutes", Rows(240), 500, 24, false, 15, {210, 225, 240}},
        {"hours and minutes, T=180", Rows(180), 600, 16, true, 60, {0, 60, 120, 180}},
        {"hours and minutes, T=1440", Rows(1440), 300, 16, true, 120, {1200, 1320, 1440}},
        {"hours and minutes, T=45", Rows(45), 600, 16, true, 60, {0, 45}},
        {"nothing fits", Rows(100000), 10, 42, false, 0, {0, 100000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const double slotPixels = double(c.axisPixels) / double(c.slotTimes.size());
        const TimeAxisTicks ticks =
            ChooseTimeAxisTicks(c.slotTimes, slotPixels, c.labelPixels, c.hoursAndMinutes);
        EXPECT_EQ(ticks.stepMinutes, c.step);
        ASSERT_GE(ticks.minutes.size(), c.tail.size());
        EXPECT_EQ(ticks.minutes.mid(ticks.minutes.size() - c.tail.size()), c.tail);
        EXPECT_EQ(ticks.minutes.constFirst(), 0);
        ASSERT_EQ(ticks.positions.size(), ticks.minutes.size());
        for (qsizetype i = 0; i < ticks.minutes.size(); ++i) {
            EXPECT_DOUBLE_EQ(ticks.positions[i], SlotCoordinate(c.slotTimes, ticks.minutes[i]));
            if (i + 1 < ticks.minutes.size() && c.step > 0) {
                EXPECT_EQ(std::fmod(ticks.minutes[i], c.step), 0) << ticks.minutes[i];
                EXPECT_GE((ticks.positions[i + 1] - ticks.positions[i]) * slotPixels, c.labelPixels)
                    << ticks.minutes[i];
            }
        }
    }
}

TEST(TimeAxisTicks, NoSlotsNoLabelsAndOneSlotOneLabel) {
    EXPECT_TRUE(ChooseTimeAxisTicks({}, 10, 24, false).minutes.isEmpty());
    const TimeAxisTicks one = ChooseTimeAxisTicks({0}, 300, 24, false);
    EXPECT_EQ(one.minutes, QVector<double>{0});
    EXPECT_EQ(one.positions, QVector<double>{0});
}

TEST(TimeAxisSlots, AComparedStormLongerThanTheShownOneEndsTheAxisOnItsLastMinute) {
    // Rows of 7 minutes to 120, continued at 7 minutes: the last slot is 240 itself.
    const QVector<double> times = SlotTimesCovering(Rows(120, 7), 240);
    EXPECT_EQ(times.mid(times.size() - 3), (QVector<double>{232, 239, 240}));
    EXPECT_DOUBLE_EQ(SlotCoordinate(times, 240), double(times.size() - 1));
    EXPECT_EQ(SlotTimesCovering(Rows(120), 60), Rows(120)); // a shorter one changes nothing
}

TEST(TimeAxisTitle, NamesTheUnitOfTheLabels) {
    EXPECT_EQ(TimeAxisTitle(MinutesFormat), QStringLiteral("降雨历时(min)"));
    EXPECT_EQ(TimeAxisTitle(HoursAndMinutesFormat), QStringLiteral("降雨历时(H:M)"));
}
