#pragma once

#include "platform/runner/form_host.h"

#include <functional>
#include <memory>

// The desktop's way to be woken, watched by Qt's event loop. Two paths, one
// chosen when the build is configured: on Linux a kernel timer,
// which wakes to the microsecond, where Qt's own timers round to whole
// milliseconds and would make a frame-paced tick up to a millisecond later
// still; elsewhere, or with TESSARY_PORTABLE_TIMER, Qt's precise timer.
// Nothing waits while it is not armed.
class QtAlarm final : public WakeUpAlarm {
public:
    QtAlarm(const MonotonicClock& clock, std::function<void()> onRing);
    ~QtAlarm() override;
    QtAlarm(const QtAlarm&) = delete;
    QtAlarm& operator=(const QtAlarm&) = delete;

    void arm(std::optional<MonotonicClock::TimePoint> when) override;
    bool armed() const { return armed_; }

private:
    struct Waker;

    void ring()
    {
        armed_ = false;
        onRing_();
    }

    const MonotonicClock& clock_;
    std::function<void()> onRing_;
    std::unique_ptr<Waker> waker_;
    bool armed_ = false;
};
