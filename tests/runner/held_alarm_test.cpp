#include "platform/runner/held_alarm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

// The wake-up a host's own loop waits for: when it rings, and what a wake
// that arms it again leaves armed.
namespace {

using std::chrono::milliseconds;
using TimePoint = MonotonicClock::TimePoint;

const TimePoint kNow = TimePoint {} + std::chrono::hours(1);

struct Case {
    const char* name;
    std::optional<milliseconds> armedIn; // from now; nothing for no wake-up
    std::optional<milliseconds> wakeArmsIn; // what the wake arms, from now
    // What it says before ringing, whether it rings, and what is armed after.
    std::optional<milliseconds> left;
    bool rings;
    std::optional<milliseconds> armedAfter;
};

class HeldAlarmTest : public testing::TestWithParam<Case> {};

TEST_P(HeldAlarmTest, RingsWhenDueAndKeepsWhatTheWakeArms)
{
    const Case& c = GetParam();
    HeldAlarm alarm;
    if (c.armedIn)
        alarm.arm(kNow + *c.armedIn);
    EXPECT_EQ(alarm.left(kNow), c.left);
    int wakes = 0;
    EXPECT_EQ(alarm.ringIfDue(kNow, [&] {
        ++wakes;
        alarm.arm(c.wakeArmsIn ? std::optional(kNow + *c.wakeArmsIn) : std::nullopt);
    }),
        c.rings);
    EXPECT_EQ(wakes, c.rings ? 1 : 0);
    EXPECT_EQ(alarm.when(), c.armedAfter ? std::optional(kNow + *c.armedAfter) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Alarms, HeldAlarmTest,
    testing::Values(Case {"NothingArmed", std::nullopt, milliseconds(5), std::nullopt, false, std::nullopt},
        Case {"NotYetDue", milliseconds(3), milliseconds(5), milliseconds(3), false, milliseconds(3)},
        Case {"DueNow", milliseconds(0), std::nullopt, milliseconds(0), true, std::nullopt},
        // A loop that woke late waits no longer, and rings.
        Case {"Overdue", milliseconds(-7), std::nullopt, milliseconds(0), true, std::nullopt},
        // The runner arms the next wake-up while it wakes: that one stands.
        Case {"TheWakeArmsTheNext", milliseconds(0), milliseconds(16), milliseconds(0), true, milliseconds(16)}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
