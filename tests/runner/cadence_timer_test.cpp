#include "platform/runner/cadence_timer.h"

#include "platform/services/timer_rules.h"
#include "tests/support/manual_loop.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using std::chrono::milliseconds;

// The spacing of wake-ups these cases are worked out for.
constexpr milliseconds kShortestWake {4};

struct CountingTimer {
    CountingTimer(Long interval, bool enabled)
        : timer({"tmrtime", interval, enabled}, clock)
    {
        timer.setShortestWake(kShortestWake);
    }

    void start()
    {
        timer.start([this] {
            ++ticks;
            if (onTick)
                onTick();
        });
    }

    // Runs an ideal event loop for this long: every wake-up exactly when asked.
    int runFor(milliseconds span) { return loop.run(span); }

    ManualClock clock;
    CadenceTimer timer;
    ManualLoop loop {clock, [this] { return timer.nextWake(); }, [this] { timer.wake(); }};
    int ticks = 0;
    std::function<void()> onTick;
};

TEST(CadenceTimerTest, RefusesWhatItCannotTakeAndKeepsItsInterval)
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

TEST(CadenceTimerTest, TicksKeepTheirCadenceInFewerWakeUps)
{
    struct Case {
        Long interval;
        milliseconds span;
        int ticks;
        int wakes;
    };
    const Case cases[] = {
        // Four ticks a wake-up, none lost: the wake-ups at 1, 5, ... 997 ms
        // leave the last three ticks for the one at 1001 ms.
        {1, milliseconds(1000), 997, 250},
        {1, milliseconds(1001), 1001, 251},
        {4, milliseconds(1000), 250, 250},
        {101, milliseconds(10100), 100, 100},
        {65535, milliseconds(65535), 1, 1},
    };
    for (const Case& c : cases) {
        CountingTimer counting(c.interval, true);
        counting.start();
        const int wakes = counting.runFor(c.span);
        EXPECT_EQ(counting.ticks, c.ticks) << "interval " << c.interval;
        EXPECT_EQ(wakes, c.wakes) << "interval " << c.interval;
    }
}

TEST(CadenceTimerTest, AQuietRunDropsNoTickAtAnySpacingAskedFor)
{
    struct Case {
        const char* why;
        CadenceTimer::Duration asked;
        int mostWakes;
    };
    const Case cases[] = {
        {"a 60 Hz frame", std::chrono::nanoseconds(16'666'667), 60},
        {"a 24 Hz frame", std::chrono::nanoseconds(41'666'667), 25},
        {"longer than a catch-up covers", milliseconds(100), 25},
    };
    for (const Case& c : cases) {
        CountingTimer counting(1, true);
        counting.timer.setShortestWake(c.asked);
        counting.start();
        const int wakes = counting.runFor(milliseconds(1000));
        counting.timer.wake();
        EXPECT_EQ(counting.ticks, 1000) << c.why;
        EXPECT_LE(wakes, c.mostWakes) << c.why;
    }
}

TEST(CadenceTimerTest, CatchingUpDeliversWhatIsDueAndLeavesTheNextWakeUp)
{
    CountingTimer counting(1, true);
    counting.timer.setShortestWake(milliseconds(16));
    counting.start();
    counting.runFor(milliseconds(1));
    ASSERT_EQ(counting.ticks, 1);
    const auto wake = counting.timer.nextWake();
    counting.clock.advance(milliseconds(6) + std::chrono::microseconds(500));
    counting.timer.catchUp();
    EXPECT_EQ(counting.ticks, 7) << "every tick due by 7.5 ms, none after";
    EXPECT_EQ(counting.timer.nextWake(), wake);
    counting.timer.catchUp();
    EXPECT_EQ(counting.ticks, 7);
}

TEST(CadenceTimerTest, NoTicksAndNoWakeUpsWhenStoppedAtIntervalZeroOrBeforeStart)
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
            counting.start();
        EXPECT_FALSE(counting.timer.nextWake()) << c.why;
        counting.clock.advance(milliseconds(500));
        counting.timer.wake();
        EXPECT_EQ(counting.ticks, 0) << c.why;
    }
}

TEST(CadenceTimerTest, LateTicksAreCaughtUpInOneBoundedBurstAndTheRestDropped)
{
    struct Case {
        Long interval;
        int burst;
    };
    const Case cases[] = {{1, 50}, {10, 5}, {20, 2}, {60, 1}, {49, 1}, {25, 2}};
    for (const Case& c : cases) {
        CountingTimer counting(c.interval, true);
        const auto started = counting.clock.now();
        counting.start();
        counting.clock.advance(milliseconds(200));
        counting.timer.wake();
        EXPECT_EQ(counting.ticks, c.burst) << "interval " << c.interval;
        // What was dropped stays dropped: the next tick is the first one still
        // ahead on the old cadence.
        const auto firstAhead = started + (200 / c.interval + 1) * milliseconds(c.interval);
        EXPECT_EQ(counting.timer.nextWake(), std::max(firstAhead, counting.clock.now() + kShortestWake))
            << "interval " << c.interval;
    }
}

TEST(CadenceTimerTest, SwitchingOnOrSettingTheIntervalStartsTheWaitAnew)
{
    struct Case {
        const char* why;
        std::function<void(CadenceTimer&, ManualClock&)> change;
    };
    const Case cases[] = {
        {"switched off and on", [](CadenceTimer& t, ManualClock& clock) {
             ASSERT_EQ(t.setEnabled(kFalse), ErrorNumber::None);
             clock.advance(milliseconds(250));
             ASSERT_EQ(t.setEnabled(kTrue), ErrorNumber::None);
         }},
        {"the same interval set again", [](CadenceTimer& t, ManualClock& clock) {
             clock.advance(milliseconds(150));
             ASSERT_EQ(t.setInterval(200), ErrorNumber::None);
         }},
    };
    for (const Case& c : cases) {
        CountingTimer counting(200, true);
        counting.start();
        c.change(counting.timer, counting.clock);
        const auto changed = counting.clock.now();
        counting.runFor(milliseconds(199));
        EXPECT_EQ(counting.ticks, 0) << c.why << ": a tick from the old schedule came through";
        counting.runFor(milliseconds(1));
        EXPECT_EQ(counting.ticks, 1) << c.why;
        EXPECT_EQ(counting.clock.now(), changed + milliseconds(200));
    }
}

TEST(CadenceTimerTest, ATickThatChangesTheTimerEndsTheBurst)
{
    struct Case {
        const char* why;
        std::function<void(CadenceTimer&)> change;
        int ticksInTheBurst;
        bool wakesAgain;
    };
    const Case cases[] = {
        {"stopped by a tick", [](CadenceTimer& t) { (void)t.setEnabled(kFalse); }, 1, false},
        {"interval 0 from a tick", [](CadenceTimer& t) { (void)t.setInterval(0); }, 1, false},
        {"slowed by a tick", [](CadenceTimer& t) { (void)t.setInterval(101); }, 1, true},
        {"a refused interval changes nothing", [](CadenceTimer& t) { (void)t.setInterval(-1); }, 10, true},
    };
    for (const Case& c : cases) {
        CountingTimer counting(1, true);
        counting.onTick = [&] { c.change(counting.timer); };
        counting.start();
        counting.clock.advance(milliseconds(10));
        counting.timer.wake();
        EXPECT_EQ(counting.ticks, c.ticksInTheBurst) << c.why;
        EXPECT_EQ(counting.timer.nextWake().has_value(), c.wakesAgain) << c.why;
    }
}

} // namespace
