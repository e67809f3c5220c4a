#pragma once

#include "platform/runner/form_host.h"
#include "platform/runner/monotonic_clock.h"

#include <functional>
#include <optional>

// The one pending wake-up of a host whose own loop does the waiting (the null
// host, the XScreenSaver module, the tests' loop), where no platform timer
// holds it. Responsible for the time and for ringing in the right order: the
// alarm is cleared before the runner wakes, so that what the runner arms
// while it wakes stands. Not responsible for waiting: the loop asks how long
// is left and waits its own way (a sleep, a poll, a clock moved by hand).
class HeldAlarm final : public WakeUpAlarm {
public:
    void arm(std::optional<MonotonicClock::TimePoint> when) override { when_ = when; }
    std::optional<MonotonicClock::TimePoint> when() const { return when_; }
    // How long a loop may wait from now: nothing where no wake-up is armed,
    // zero once it is due.
    std::optional<MonotonicClock::Duration> left(MonotonicClock::TimePoint now) const;
    // Where the wake-up is due by now: clears it, then calls wake. Returns
    // whether it rang.
    bool ringIfDue(MonotonicClock::TimePoint now, const std::function<void()>& wake);
    // The plainest loop: sleeps until each wake-up armed and rings it, until
    // the next would come after `until`, or none is armed. For a clock that
    // moves by itself.
    void sleepAndRing(const MonotonicClock& clock, MonotonicClock::TimePoint until, const std::function<void()>& wake);

private:
    std::optional<MonotonicClock::TimePoint> when_;
};
