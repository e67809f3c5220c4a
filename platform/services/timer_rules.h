#pragma once

#include "platform/services/scalar_types.h"

// The timer's rules, read by the timer every host runs (CadenceTimer) and by
// every stand-in for it, so that they refuse and tick alike.

// What the timer accepts as its interval in milliseconds.
inline constexpr Long kMaxTimerInterval = 65535;

constexpr bool timerAcceptsInterval(Long interval)
{
    return interval >= 0 && interval <= kMaxTimerInterval;
}

// Whether a timer so set ticks at all: switched on, at an interval above 0.
constexpr bool timerTicks(bool enabled, Long interval)
{
    return enabled && interval > 0;
}
