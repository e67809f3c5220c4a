#pragma once

#include "platform/monotonic_clock.h"

#include <optional>

// A host's way to be woken: one pending wake-up at a time, on the monotonic
// clock. Arming again replaces the wake-up; nothing disarms it. When it
// rings, the host calls FormRunner::wake().
class WakeUpAlarm {
public:
    virtual ~WakeUpAlarm() = default;
    virtual void arm(std::optional<MonotonicClock::TimePoint> when) = 0;
};
