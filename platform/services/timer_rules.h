#pragma once

#include "platform/services/scalar_types.h"

// What the timer accepts as its interval in milliseconds. One rule, read by the
// desktop timer and by every stand-in for it, so that they refuse alike.
inline constexpr Long kMaxTimerInterval = 65535;

constexpr bool timerAcceptsInterval(Long interval)
{
    return interval >= 0 && interval <= kMaxTimerInterval;
}
