#pragma once

#include "platform/hosts/win32/win32_api.h"
#include "platform/runner/form_host.h"

#include <chrono>
#include <optional>

// The Windows host's way to be woken: one waitable timer (high resolution
// where Windows has it), which the message loop waits on beside the messages.
// While Windows runs a modal loop of its own (a move, a resize, a menu), that
// loop does not wait on it: a timer message, which the modal loop does
// dispatch, looks at it once a frame instead.
class Win32Alarm final : public WakeUpAlarm {
public:
    // Throws Win32StartFailure where no timer can be made.
    explicit Win32Alarm(const MonotonicClock& clock);
    ~Win32Alarm() override;
    Win32Alarm(const Win32Alarm&) = delete;
    Win32Alarm& operator=(const Win32Alarm&) = delete;

    void arm(std::optional<MonotonicClock::TimePoint> when) override;
    // What the message loop waits on.
    HANDLE handle() const { return timer_; }
    // Whether it rang, and has not been armed since.
    bool rang() const { return WaitForSingleObject(timer_, 0) == WAIT_OBJECT_0; }

    // A modal loop of Windows' own began for this window (entered) or ended,
    // with the screen's frame as it is now; and whether a timer message is
    // the one that looks at the alarm then.
    void modalLoop(HWND window, bool entered, std::chrono::nanoseconds frame);
    static bool isModalTimer(WPARAM timerId) { return timerId == kModalTimerId; }

private:
    static constexpr UINT_PTR kModalTimerId = 1;

    const MonotonicClock& clock_;
    HANDLE timer_ = nullptr;
};
