#include "platform/runner/cadence_timer.h"

#include "platform/services/timer_rules.h"


CadenceTimer::CadenceTimer(const TimerDefinition& definition, const MonotonicClock& clock)
    : clock_(clock)
    , interval_(definition.interval)
    , enabled_(definition.enabled)
{
}

void CadenceTimer::start(std::function<void()> onTick)
{
    onTick_ = std::move(onTick);
    started_ = true;
    restartWait();
    scheduleChanged();
}

void CadenceTimer::setShortestWake(Duration shortest)
{
    shortestWake_ = std::min<Duration>(shortest, kLongestWake);
    scheduleChanged();
}

void CadenceTimer::scheduleChanged()
{
    if (scheduleChanged_)
        scheduleChanged_();
}

bool CadenceTimer::running() const
{
    return started_ && timerTicks(enabled_, interval_);
}

std::optional<CadenceTimer::TimePoint> CadenceTimer::nextWake() const
{
    if (!running())
        return std::nullopt;
    return std::max(nextDue_, lastWake_ + shortestWake_);
}

ErrorNumber CadenceTimer::getInterval(Long& interval)
{
    interval = interval_;
    return ErrorNumber::None;
}

ErrorNumber CadenceTimer::setInterval(Long interval)
{
    if (!timerAcceptsInterval(interval))
        return ErrorNumber::InvalidPropertyValue;
    interval_ = interval;
    restartWait();
    scheduleChanged();
    return ErrorNumber::None;
}

ErrorNumber CadenceTimer::setEnabled(Boolean enabled)
{
    const bool on = enabled != kFalse;
    if (on != enabled_) {
        enabled_ = on;
        restartWait();
        scheduleChanged();
    }
    return ErrorNumber::None;
}

void CadenceTimer::restartWait()
{
    ++generation_;
    if (running())
        nextDue_ = clock_.now() + std::chrono::milliseconds(interval_);
}

void CadenceTimer::wake()
{
    lastWake_ = clock_.now();
    deliverDueTicks();
    scheduleChanged();
}

void CadenceTimer::catchUp()
{
    deliverDueTicks();
    scheduleChanged();
}

void CadenceTimer::deliverDueTicks()
{
    if (!running())
        return;
    const unsigned generation = generation_;
    const Duration period = std::chrono::milliseconds(interval_);
    const long burst = std::max<long>(1, kLongestCatchUp / period);
    TimePoint now = clock_.now();
    for (long delivered = 0; now >= nextDue_; ++delivered) {
        if (delivered == burst) {
            nextDue_ += ((now - nextDue_) / period + 1) * period;
            return;
        }
        lastTickDue_ = nextDue_;
        nextDue_ += period;
        onTick_();
        if (generation != generation_)
            return; // the tick changed the timer, which has started its wait anew
        now = clock_.now();
    }
}
