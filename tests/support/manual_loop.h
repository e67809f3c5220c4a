#pragma once

#include "platform/runner/held_alarm.h"
#include "tests/support/manual_clock.h"

#include <algorithm>
#include <functional>
#include <optional>

// An event loop with nothing to do but wake, on a clock the test moves: it
// moves the clock to each wake-up asked for and wakes there, exactly on time.
class ManualLoop {
public:
    using NextWake = std::function<std::optional<MonotonicClock::TimePoint>()>;

    ManualLoop(ManualClock& clock, NextWake nextWake, std::function<void()> wake)
        : clock_(clock)
        , nextWake_(std::move(nextWake))
        , wake_(std::move(wake))
    {
    }

    // The loop of a host whose alarm is held: it rings the alarm as the host's own loop does.
    ManualLoop(ManualClock& clock, HeldAlarm& alarm, std::function<void()> wake)
        : ManualLoop(clock, [&alarm] { return alarm.when(); },
            [&clock, &alarm, wake = std::move(wake)] { alarm.ringIfDue(clock.now(), wake); })
    {
    }

    // Moves the clock on by `span`, waking whenever asked; returns the wake-ups.
    int run(MonotonicClock::Duration span)
    {
        const auto end = clock_.now() + span;
        int wakes = 0;
        for (auto at = nextWake_(); at && *at <= end; at = nextWake_()) {
            // A wake-up asked for before now, as after a sleep, comes now.
            clock_.advanceTo(std::max(*at, clock_.now()));
            wake_();
            ++wakes;
        }
        clock_.advanceTo(end);
        return wakes;
    }

private:
    ManualClock& clock_;
    NextWake nextWake_;
    std::function<void()> wake_;
};
