#include "platform/hosts/win32/win32_alarm.h"

#include "platform/hosts/win32/win32_start_failure.h"

#include <algorithm>

namespace {

// Not in every mingw-w64's headers yet; Windows 10 1803 and later know it.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
constexpr DWORD CREATE_WAITABLE_TIMER_HIGH_RESOLUTION = 0x00000002;
#endif
constexpr long long kHundredNanoseconds = 100;
// A thread timer's procedure has no place for its owner: the one alarm a
// program has is kept here while a modal loop runs.
Win32Alarm* gModalAlarm = nullptr;

} // namespace

Win32Alarm::Win32Alarm(const MonotonicClock& clock)
    : clock_(clock)
{
    timer_ = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (!timer_)
        timer_ = CreateWaitableTimerW(nullptr, FALSE, nullptr); // before Windows 10 1803
    if (!timer_)
        throw Win32StartFailure::fromLastError(L"The timer could not be created");
}

Win32Alarm::~Win32Alarm()
{
    if (modalTimer_)
        KillTimer(nullptr, modalTimer_);
    if (gModalAlarm == this)
        gModalAlarm = nullptr;
    CloseHandle(timer_);
}

void Win32Alarm::arm(std::optional<MonotonicClock::TimePoint> when)
{
    if (!when) {
        CancelWaitableTimer(timer_);
        return;
    }
    // Negative: relative to now, in 100 ns; never zero, which would not wait at all.
    const long long wait = std::chrono::nanoseconds(*when - clock_.now()).count() / kHundredNanoseconds;
    LARGE_INTEGER due {};
    due.QuadPart = -std::max(1LL, wait);
    SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE);
}

void Win32Alarm::modalLoop(bool entered, std::chrono::nanoseconds frame)
{
    modalDepth_ = std::max(0, modalDepth_ + (entered ? 1 : -1));
    if (modalDepth_ == 0 && modalTimer_) {
        KillTimer(nullptr, modalTimer_);
        modalTimer_ = 0;
        gModalAlarm = nullptr;
    } else if (modalDepth_ > 0 && !modalTimer_) {
        gModalAlarm = this;
        const auto step = std::min(std::chrono::duration_cast<std::chrono::milliseconds>(frame), kLongestModalStep);
        modalTimer_ = SetTimer(nullptr, 0, static_cast<UINT>(std::max<long long>(USER_TIMER_MINIMUM, step.count())),
            modalTimer);
    }
}

void CALLBACK Win32Alarm::modalTimer(HWND, UINT, UINT_PTR, DWORD)
{
    Win32Alarm* alarm = gModalAlarm;
    if (alarm && WaitForSingleObject(alarm->timer_, 0) == WAIT_OBJECT_0 && alarm->modalListener_)
        alarm->modalListener_();
}
