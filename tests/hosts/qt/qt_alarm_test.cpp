#include "platform/hosts/qt/qt_alarm.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using std::chrono::milliseconds;

// A real alarm on the real clock: each check waits for one ring, never
// sleeps to count them.
TEST(QtAlarmTest, RingsNoSoonerThanItWasArmedForAndOnlyForItsLastArming)
{
    constexpr int kPatienceMs = 5000;
    const SteadyClock clock;
    std::vector<MonotonicClock::TimePoint> rings;
    QtAlarm alarm(clock, [&] { rings.push_back(clock.now()); });

    const auto due = clock.now() + milliseconds(20);
    alarm.arm(due);
    EXPECT_TRUE(alarm.armed());
    QTRY_VERIFY_WITH_TIMEOUT(!rings.empty(), kPatienceMs);
    EXPECT_GE(rings.front(), due) << "rang early";
    EXPECT_FALSE(alarm.armed());

    // Disarmed, then armed for later: the first arming never rings.
    alarm.arm(clock.now() + milliseconds(5));
    alarm.arm(std::nullopt);
    EXPECT_FALSE(alarm.armed());
    const auto later = clock.now() + milliseconds(40);
    alarm.arm(later);
    QTRY_VERIFY_WITH_TIMEOUT(rings.size() > 1, kPatienceMs);
    EXPECT_GE(rings[1], later) << "a disarmed wake-up rang";
}

} // namespace
