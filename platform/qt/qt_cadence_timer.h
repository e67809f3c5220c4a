#pragma once

#include "platform/form_operations.h"

#include <QTimer>

#include <chrono>
#include <functional>

// The window's timer on the desktop. Keeps its own cadence against the
// monotonic clock, because a plain toolkit timer at 1 ms merges late timeouts
// and loses about a tenth of them: ticks that are late are delivered in a burst
// of at most the ticks of kLongestCatchUp, and the rest are dropped. Switching
// it on or setting the interval starts the wait for the next tick anew; an
// interval of 0 gives no ticks. It wakes at most once per kShortestWake and
// then delivers every tick that fell due meanwhile: at 1 ms that is a quarter
// of the wake-ups, which cost more than the rings, and the screen, refreshed
// once a frame, shows the same. It does not know what a tick does.
class QtCadenceTimer : public TimerOperations {
public:
    QtCadenceTimer(Long interval, bool enabled, std::function<void()> onTick);

    // Ticks start only from here, so that none comes before the window is ready.
    void start();

    ErrorNumber getInterval(Long& interval) override;
    ErrorNumber setInterval(Long interval) override;
    ErrorNumber setEnabled(Boolean enabled) override;

    static constexpr std::chrono::milliseconds kLongestCatchUp {50};
    static constexpr std::chrono::milliseconds kShortestWake {4};

private:
    using Clock = std::chrono::steady_clock;

    void restartWait();
    void deliverDueTicks();
    void armForNextTick();

    QTimer wakeUp_;
    std::function<void()> onTick_;
    Long interval_;
    bool enabled_;
    bool started_ = false;
    unsigned generation_ = 0;
    Clock::time_point nextDue_;
    Clock::time_point lastWake_;
};
