#include "platform/qt/qt_cadence_timer.h"

#include "platform/timer_rules.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>
#include <thread>

namespace {

struct CountingTimer {
    CountingTimer(Long interval, bool enabled)
        : timer(interval, enabled, [this] { ++ticks; })
    {
    }
    int ticks = 0;
    QtCadenceTimer timer;
};

TEST(QtCadenceTimerTest, RefusesWhatItCannotTakeAndKeepsItsInterval)
{
    struct Case {
        Long value;
        ErrorNumber expected;
        Long after;
    };
    const Case cases[] = {
        {-1, ErrorNumber::InvalidPropertyValue, 101},
        {std::numeric_limits<Long>::min(), ErrorNumber::InvalidPropertyValue, 101},
        {kMaxTimerInterval + 1, ErrorNumber::InvalidPropertyValue, 101},
        {std::numeric_limits<Long>::max(), ErrorNumber::InvalidPropertyValue, 101},
        {kMaxTimerInterval, ErrorNumber::None, kMaxTimerInterval},
        {0, ErrorNumber::None, 0},
        {1, ErrorNumber::None, 1},
    };
    for (const Case& c : cases) {
        CountingTimer counting(101, true);
        EXPECT_EQ(counting.timer.setInterval(c.value), c.expected) << c.value;
        Long interval = -7;
        EXPECT_EQ(counting.timer.getInterval(interval), ErrorNumber::None);
        EXPECT_EQ(interval, c.after) << c.value;
    }
}

TEST(QtCadenceTimerTest, NoTicksWhenStoppedAtIntervalZeroOrBeforeStart)
{
    struct Case {
        const char* why;
        Long interval;
        bool enabled;
        bool started;
    };
    const Case cases[] = {
        {"interval 0", 0, true, true},
        {"disabled", 1, false, true},
        {"not started", 1, true, false},
    };
    for (const Case& c : cases) {
        CountingTimer counting(c.interval, c.enabled);
        if (c.started)
            counting.timer.start();
        QTest::qWait(30);
        EXPECT_EQ(counting.ticks, 0) << c.why;
    }
}

TEST(QtCadenceTimerTest, LateTicksAreCaughtUpInOneBoundedBurst)
{
    struct Case {
        Long interval;
        int burst;
    };
    const Case cases[] = {{1, 50}, {10, 5}, {20, 2}, {60, 1}};
    for (const Case& c : cases) {
        CountingTimer counting(c.interval, true);
        counting.timer.start();
        // Keep the event loop away long enough for far more ticks to fall due.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        QCoreApplication::processEvents();
        EXPECT_EQ(counting.ticks, c.burst) << "interval " << c.interval;
    }
}

TEST(QtCadenceTimerTest, SwitchingOnStartsTheWaitAnew)
{
    using std::chrono::milliseconds;
    CountingTimer counting(200, true);
    counting.timer.start();
    EXPECT_EQ(counting.timer.setEnabled(kFalse), ErrorNumber::None);
    std::this_thread::sleep_for(milliseconds(250));
    EXPECT_EQ(counting.timer.setEnabled(kTrue), ErrorNumber::None);
    std::this_thread::sleep_for(milliseconds(50));
    QCoreApplication::processEvents();
    EXPECT_EQ(counting.ticks, 0) << "a tick from the old schedule came through";
    std::this_thread::sleep_for(milliseconds(200));
    QCoreApplication::processEvents();
    EXPECT_EQ(counting.ticks, 1);
}

} // namespace
