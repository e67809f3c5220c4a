#pragma once

#include "platform/hosts/win32/win32_api.h"
#include "platform/runner/cadence_timer.h"
#include "platform/runner/form_host.h"

#include <chrono>
#include <functional>
#include <optional>

// The Windows host's way to be woken: one waitable timer (high resolution
// where Windows has it), which the message loop waits on beside the messages.
// While Windows runs a modal loop of its own for any of the program's windows
// (a move, a resize, a menu, a press on a title bar or its buttons), that loop
// does not wait on it: a thread timer, whose messages every modal loop
// dispatches, looks at it often enough that no step of it passes the
// catch-up limit, and tells the listener when it rang.
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

    // It rang while a modal loop ran.
    void onModalRing(std::function<void()> listener) { modalListener_ = std::move(listener); }
    // A modal loop of Windows' own began (entered) or ended, with the screen's
    // frame as it is now. Loops may nest: the timer runs until the last ends.
    void modalLoop(bool entered, std::chrono::nanoseconds frame);
    // Looking at least this often keeps every step a modal loop takes,
    // rounded up to USER's 15.6 ms, under the timer's catch-up limit.
    static constexpr std::chrono::milliseconds kLongestModalStep = CadenceTimer::kLongestCatchUp / 2;

private:
    static void CALLBACK modalTimer(HWND, UINT, UINT_PTR, DWORD);

    const MonotonicClock& clock_;
    HANDLE timer_ = nullptr;
    UINT_PTR modalTimer_ = 0;
    int modalDepth_ = 0;
    std::function<void()> modalListener_;
};
