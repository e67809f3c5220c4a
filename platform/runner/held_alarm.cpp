#include "platform/runner/held_alarm.h"

#include <algorithm>
#include <thread>

std::optional<MonotonicClock::Duration> HeldAlarm::left(MonotonicClock::TimePoint now) const
{
    if (!when_)
        return std::nullopt;
    return std::max(*when_ - now, MonotonicClock::Duration::zero());
}

bool HeldAlarm::ringIfDue(MonotonicClock::TimePoint now, const std::function<void()>& wake)
{
    if (!when_ || now < *when_)
        return false;
    when_.reset();
    wake();
    return true;
}

void HeldAlarm::sleepAndRing(const MonotonicClock& clock, MonotonicClock::TimePoint until, const std::function<void()>& wake)
{
    for (auto at = when_; at && *at <= until; at = when_) {
        std::this_thread::sleep_for(*left(clock.now()));
        ringIfDue(clock.now(), wake);
    }
}
