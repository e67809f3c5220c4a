#pragma once

#include "platform/form/form_definition.h"
#include "platform/services/form_operations.h"
#include "platform/runner/monotonic_clock.h"

#include <algorithm>
#include <functional>
#include <optional>

// The window's timer, as a schedule against a monotonic clock: which ticks
// fall due when, and how many of them a late wake-up still delivers. It keeps
// its cadence itself, because a plain toolkit timer at 1 ms merges late
// timeouts and loses about a tenth of them. Ticks that are late are delivered
// in a burst of at most the ticks of kLongestCatchUp, and the rest dropped.
// Switching it on or setting the interval starts the wait for the next tick
// anew; an interval of 0 gives no ticks. It never wakes sooner than
// shortestWake() after its last wake-up (the host sets it to a display frame)
// and then delivers every tick that fell due meanwhile, since the screen shows
// the same and wake-ups cost more than rings. Input can catch up on the ticks
// due before it, so that no handler runs ahead of them. It does not wait by
// itself: the host asks nextWake(), or is told whenever it may have moved, and
// calls wake() at or after that time. It does not know what a tick does.
class CadenceTimer final : public TimerOperations {
public:
    using Duration = MonotonicClock::Duration;
    using TimePoint = MonotonicClock::TimePoint;

    CadenceTimer(const TimerDefinition& definition, const MonotonicClock& clock);

    // Ticks start only from here, so that none comes before the window is ready.
    void start(std::function<void()> onTick);

    // When the host should call wake() next; nothing while no tick can come.
    std::optional<TimePoint> nextWake() const;
    // Called after every call that may have moved nextWake().
    void onScheduleChanged(std::function<void()> listener) { scheduleChanged_ = std::move(listener); }
    // Delivers, in order, every tick that has fallen due by now.
    void wake();
    // The same, between wake-ups, for input that must not overtake a tick due
    // before it; the next wake-up stays where it was.
    void catchUp();

    // A catch-up burst covers kLongestCatchUp, so the spacing stays below it:
    // a quiet run drops no tick.
    void setShortestWake(Duration shortest);
    Duration shortestWake() const { return shortestWake_; }

    // When the tick delivered last, or being delivered, fell due.
    TimePoint lastTickDue() const { return lastTickDue_; }

    ErrorNumber getInterval(Long& interval) override;
    ErrorNumber setInterval(Long interval) override;
    ErrorNumber setEnabled(Boolean enabled) override;

    static constexpr std::chrono::milliseconds kLongestCatchUp {50};
    static constexpr std::chrono::milliseconds kLongestWake {40};

private:
    bool running() const;
    void restartWait();
    void deliverDueTicks();
    void scheduleChanged();

    const MonotonicClock& clock_;
    std::function<void()> onTick_;
    std::function<void()> scheduleChanged_;
    Long interval_;
    bool enabled_;
    bool started_ = false;
    unsigned generation_ = 0;
    Duration shortestWake_ {};
    TimePoint nextDue_;
    TimePoint lastTickDue_;
    TimePoint lastWake_ = TimePoint::min();
};
