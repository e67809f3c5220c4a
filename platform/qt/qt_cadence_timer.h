#pragma once

#include "platform/cadence_timer.h"

#include <QTimer>

// The window's timer on the desktop: a CadenceTimer woken by one single-shot
// toolkit timer, armed anew after every change for the wake-up the schedule
// asks for. Nothing waits while no tick can come.
class QtCadenceTimer final : public TimerOperations {
public:
    QtCadenceTimer(const TimerDefinition& definition, const MonotonicClock& clock);

    // onWoken runs after the ticks of each wake-up, once for all of them.
    void start(std::function<void()> onTick, std::function<void()> onWoken);
    // What the toolkit timer does when it fires: delivers the ticks due by now
    // and arms itself for the next. Tests that move the clock by hand call it.
    void wake();
    // Delivers the ticks due by now ahead of input that would overtake them.
    void catchUp();
    void setShortestWake(CadenceTimer::Duration shortest);

    const CadenceTimer& cadence() const { return cadence_; }
    bool armed() const { return alarm_.isActive(); }

    ErrorNumber getInterval(Long& interval) override;
    ErrorNumber setInterval(Long interval) override;
    ErrorNumber setEnabled(Boolean enabled) override;

private:
    void arm();

    const MonotonicClock& clock_;
    CadenceTimer cadence_;
    std::function<void()> onWoken_;
    QTimer alarm_;
};
