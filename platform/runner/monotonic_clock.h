#pragma once

#include <chrono>

// Where the timer reads the time. The desktop hands it the steady clock; tests
// hand it one they move by hand, so that counting ticks never means sleeping.
class MonotonicClock {
public:
    using Duration = std::chrono::steady_clock::duration;
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~MonotonicClock() = default;
    virtual TimePoint now() const = 0;
};

class SteadyClock final : public MonotonicClock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
};
