#pragma once

#include "platform/cadence_timer.h"

#include <QSocketNotifier>

#include <functional>
#include <memory>

// The window's timer on the desktop: a CadenceTimer woken by one kernel timer
// (timerfd) watched by the event loop, armed anew after every change for the
// wake-up the schedule asks for. The kernel timer wakes to the microsecond,
// where the toolkit's own timers round to whole milliseconds and would make a
// frame-paced tick up to a millisecond later still. Nothing waits while no tick
// can come.
class QtCadenceTimer final : public TimerOperations {
public:
    QtCadenceTimer(const TimerDefinition& definition, const MonotonicClock& clock);
    ~QtCadenceTimer() override;
    QtCadenceTimer(const QtCadenceTimer&) = delete;
    QtCadenceTimer& operator=(const QtCadenceTimer&) = delete;

    // onWoken runs after the ticks of each wake-up, once for all of them.
    void start(std::function<void()> onTick, std::function<void()> onWoken);
    // What the kernel timer does when it fires: delivers the ticks due by now
    // and arms itself for the next. Tests that move the clock by hand call it.
    void wake();
    // Delivers the ticks due by now ahead of input that would overtake them.
    void catchUp();
    void setShortestWake(CadenceTimer::Duration shortest);

    const CadenceTimer& cadence() const { return cadence_; }
    bool armed() const { return armed_; }

    ErrorNumber getInterval(Long& interval) override;
    ErrorNumber setInterval(Long interval) override;
    ErrorNumber setEnabled(Boolean enabled) override;

private:
    void arm();

    const MonotonicClock& clock_;
    CadenceTimer cadence_;
    std::function<void()> onWoken_;
    int alarm_;
    std::unique_ptr<QSocketNotifier> ringing_;
    bool armed_ = false;
};
