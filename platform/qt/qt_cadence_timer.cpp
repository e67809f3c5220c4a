#include "platform/qt/qt_cadence_timer.h"

#include "platform/timer_rules.h"

#include <algorithm>

QtCadenceTimer::QtCadenceTimer(Long interval, bool enabled, std::function<void()> onTick)
    : onTick_(std::move(onTick))
    , interval_(interval)
    , enabled_(enabled)
{
    wakeUp_.setSingleShot(true);
    wakeUp_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wakeUp_, &QTimer::timeout, [this] { deliverDueTicks(); });
}

void QtCadenceTimer::start()
{
    started_ = true;
    restartWait();
}

ErrorNumber QtCadenceTimer::getInterval(Long& interval)
{
    interval = interval_;
    return ErrorNumber::None;
}

ErrorNumber QtCadenceTimer::setInterval(Long interval)
{
    if (!timerAcceptsInterval(interval))
        return ErrorNumber::InvalidPropertyValue;
    interval_ = interval;
    restartWait();
    return ErrorNumber::None;
}

ErrorNumber QtCadenceTimer::setEnabled(Boolean enabled)
{
    const bool on = enabled != kFalse;
    if (on != enabled_) {
        enabled_ = on;
        restartWait();
    }
    return ErrorNumber::None;
}

void QtCadenceTimer::restartWait()
{
    ++generation_;
    wakeUp_.stop();
    if (!started_ || !enabled_ || interval_ <= 0)
        return;
    nextDue_ = Clock::now() + std::chrono::milliseconds(interval_);
    armForNextTick();
}

void QtCadenceTimer::deliverDueTicks()
{
    const unsigned generation = generation_;
    const std::chrono::milliseconds period(interval_);
    const long burst = std::max<long>(1, kLongestCatchUp / period);
    Clock::time_point now = Clock::now();
    lastWake_ = now;
    for (long delivered = 0; now >= nextDue_; ++delivered) {
        if (delivered == burst) {
            const auto behind = (now - nextDue_) / period + 1;
            nextDue_ += behind * period;
            break;
        }
        nextDue_ += period;
        onTick_();
        if (generation != generation_)
            return; // the tick changed the timer, which has re-armed itself
        now = Clock::now();
    }
    armForNextTick();
}

void QtCadenceTimer::armForNextTick()
{
    const Clock::time_point wake = std::max(nextDue_, lastWake_ + kShortestWake);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now());
    wakeUp_.start(std::max(wait, std::chrono::milliseconds(0)));
}
