#pragma once

#include "platform/runner/monotonic_clock.h"

// A clock that moves only when a test moves it.
class ManualClock final : public MonotonicClock {
public:
    TimePoint now() const override { return now_; }
    void advance(Duration by) { now_ += by; }
    void advanceTo(TimePoint to) { now_ = to; }

private:
    // Far from the epoch, so that no wait reaches back before it.
    TimePoint now_ = TimePoint {} + std::chrono::hours(1);
};
